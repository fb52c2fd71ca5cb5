#pragma once

#include "model/currency.h"

#include <QHash>
#include <QWidget>

#include <functional>

class AppModel;
class PressableButton;
class QCheckBox;
class RateStore;
class TextLine;
class ThemePicker;

// The lower part of the panel: currency switches and theme picker; where the rates come
// from and how fresh they are; refresh, login, close and quit; the copyright line.
class FooterBar final : public QWidget {
public:
    FooterBar(AppModel& model, RateStore& store, QWidget* parent = nullptr);

    void refresh();
    // What "Beenden" does; quits the application unless replaced (tests replace it).
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

private:
    QWidget* buildSwitches();

    AppModel& m_model;
    RateStore& m_store;
    std::function<void()> m_quit;
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
