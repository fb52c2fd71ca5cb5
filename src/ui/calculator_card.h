// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppModel;
class CardFrame;
class CurrentRates;
class CurrencyPicker;
class DisplayBox;
class Keypad;
class ResultList;

// The upper part of the panel: the display, the currency picker and the converted amounts
// on the left card, the keypad on the right. Owns nothing: its parts read the model and the
// rates and send every action to the model.
class CalculatorCard final : public QWidget {
    Q_OBJECT

public:
    CalculatorCard(AppModel& model, const CurrentRates& rates, QWidget* parent = nullptr);

    // Re-reads the model and the rates; the panel calls it on every change signal.
    void refresh();
    // The card's controls in reading order, for Tab.
    QList<QWidget*> focusOrder() const;

private:
    AppModel& m_model;
    CardFrame* const m_left;
    CardFrame* const m_right;
    DisplayBox* const m_display;
    CurrencyPicker* const m_picker;
    ResultList* const m_results;
    Keypad* const m_keypad;
};
