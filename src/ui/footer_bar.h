// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppModel;
class CheckBox;
class CurrencySwitches;
class LiveRates;
class PressableButton;
class QHBoxLayout;
class RateStatus;
class TextLine;
class ThemePicker;

// The lower part of the panel: currency switches and theme picker; where the rates come
// from and how fresh they are; refresh, login, close and quit; the copyright line.
class FooterBar final : public QWidget {
    Q_OBJECT

public:
    FooterBar(AppModel& model, LiveRates& rates, QWidget* parent = nullptr);

    void refresh();
    // See RateStatus::fitToWidth.
    bool fitToWidth();
    // The footer's controls in reading order, for Tab.
    QList<QWidget*> focusOrder() const;

signals:
    // "Beenden" was clicked; whoever runs the program decides what quitting means.
    void quitRequested();

private:
    QHBoxLayout* buildFirstRow();
    QHBoxLayout* buildSecondRow();
    void buildCopyright();

    AppModel& m_model;
    LiveRates& m_rates;
    CurrencySwitches* const m_switches;
    ThemePicker* const m_themePicker;
    RateStatus* const m_rateStatus;
    PressableButton* const m_refresh;
    CheckBox* const m_login;
    PressableButton* const m_close;
    PressableButton* const m_quit;
    TextLine* const m_copyright;
};
