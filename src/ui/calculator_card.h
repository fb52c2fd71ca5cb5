#pragma once

#include "model/currency.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QWidget>

class AppModel;
class CardFrame;
class PressableButton;
class QVBoxLayout;
class RateStore;
class TextLine;

// The upper part of the panel: the display, the currency picker and the converted amounts
// on the left card, the keypad on the right. Owns nothing: reads the model and the store and
// sends every action to the model.
class CalculatorCard final : public QWidget {
public:
    CalculatorCard(AppModel& model, RateStore& store, QWidget* parent = nullptr);

    // Re-reads the model and the store; the panel calls it on every change signal.
    void refresh();

    static const QList<QStringList>& keyRows();

private:
    struct ResultEntry {
        QWidget* container = nullptr; // the row with its rate button below
        QWidget* row = nullptr;
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
    void rebuildCurrencyRows();
    void refreshDisplay();
    void refreshPicker();
    void refreshResults();
    void refreshKeypad();

    AppModel& m_model;
    RateStore& m_store;
    CardFrame* m_left;
    CardFrame* m_right;

    QWidget* m_display = nullptr;
    PressableButton* m_reset = nullptr;
    PressableButton* m_copyEuro = nullptr;
    TextLine* m_calcLine = nullptr;
    TextLine* m_preview = nullptr;

    TextLine* m_pickerCaption = nullptr;
    QWidget* m_pickerRow = nullptr;
    QHash<Currency, PressableButton*> m_pickerButtons;

    QWidget* m_results = nullptr;
    QVBoxLayout* m_resultsLayout = nullptr;
    QHash<Currency, ResultEntry> m_entries;
    QList<Currency> m_builtFor;

    QHash<QString, PressableButton*> m_keys;
};
