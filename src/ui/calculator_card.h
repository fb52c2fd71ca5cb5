#pragma once

#include "model/calc_key.h"
#include "model/currency.h"

#include <QHash>
#include <QList>
#include <QWidget>

class AppModel;
class CardFrame;
class FilledBox;
class PressableButton;
class QHBoxLayout;
class QVBoxLayout;
class RateStore;
class TextLine;

// The upper part of the panel: the display, the currency picker and the converted amounts
// on the left card, the keypad on the right. Owns nothing: reads the model and the store and
// sends every action to the model.
class CalculatorCard final : public QWidget {
    Q_OBJECT

public:
    CalculatorCard(AppModel& model, RateStore& store, QWidget* parent = nullptr);

    // Re-reads the model and the store; the panel calls it on every change signal.
    void refresh();

    // The keypad, row by row.
    static const QList<QList<CalcKey>>& keyRows();

private:
    struct ResultEntry {
        QWidget* container = nullptr; // the row with its rate button below
        FilledBox* row = nullptr;
        TextLine* symbol = nullptr;
        TextLine* code = nullptr;
        PressableButton* amount = nullptr;
        QWidget* rateHolder = nullptr;
        PressableButton* rate = nullptr;
    };

    QWidget* buildDisplay();
    QWidget* buildPicker();
    QWidget* buildResults();
    QWidget* buildKeypad();
    PressableButton* buildKey(CalcKey key, QWidget* keypad);
    void rebuildCurrencyRows();
    PressableButton* buildPickerButton(Currency c);
    ResultEntry buildResultEntry(Currency c);
    void buildRateButton(Currency c, ResultEntry& entry);
    void refreshDisplay();
    void refreshPicker();
    void refreshResults();
    void refreshResultRow(Currency c, ResultEntry& entry);
    void refreshKeypad();

    AppModel& m_model;
    RateStore& m_store;
    CardFrame* m_left;
    CardFrame* m_right;

    FilledBox* m_display = nullptr;
    PressableButton* m_reset = nullptr;
    PressableButton* m_copyEuro = nullptr;
    TextLine* m_calcLine = nullptr;
    TextLine* m_preview = nullptr;

    TextLine* m_pickerCaption = nullptr;
    QWidget* m_pickerRow = nullptr;
    QHBoxLayout* m_pickerLayout = nullptr;
    QHash<Currency, PressableButton*> m_pickerButtons;

    FilledBox* m_results = nullptr;
    QVBoxLayout* m_resultsLayout = nullptr;
    QHash<Currency, ResultEntry> m_entries;
    QList<Currency> m_builtFor;

    QHash<CalcKey, PressableButton*> m_keys;
};
