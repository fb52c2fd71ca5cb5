#pragma once

#include "model/currency.h"

#include <QHash>
#include <QWidget>

class AppModel;
class PressableButton;
class QCheckBox;
class QHBoxLayout;
class RateStore;
class TextLine;
class ThemePicker;

// The lower part of the panel: currency switches and theme picker; where the rates come
// from and how fresh they are; refresh, login, close and quit; the copyright line.
class FooterBar final : public QWidget {
    Q_OBJECT

public:
    FooterBar(AppModel& model, RateStore& store, QWidget* parent = nullptr);

    void refresh();

signals:
    // "Beenden" was clicked; whoever runs the program decides what quitting means.
    void quitRequested();

private:
    QHBoxLayout* buildFirstRow();
    QHBoxLayout* buildSecondRow();
    QWidget* buildSwitches();
    QWidget* buildRateInfo();
    void buildButtons(QHBoxLayout* row);
    void refreshSwitches();
    void refreshRateInfo();

    AppModel& m_model;
    RateStore& m_store;
    TextLine* m_switchCaption = nullptr;
    QHash<Currency, PressableButton*> m_switches;
    ThemePicker* m_themePicker = nullptr;
    TextLine* m_source = nullptr;
    TextLine* m_status = nullptr;
    PressableButton* m_refresh = nullptr;
    QCheckBox* m_login = nullptr;
    PressableButton* m_close = nullptr;
    PressableButton* m_quitButton = nullptr;
    TextLine* m_copyright = nullptr;
};
