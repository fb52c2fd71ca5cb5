// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/currency.h"
#include "ui/filled_box.h"

#include <QHash>
#include <QList>

class AppModel;
class CurrentRates;
class PressableButton;
class QVBoxLayout;
class TextLine;

// One active currency's converted amount, a click copies it; for the foreign currencies the
// rate of one euro below it, a click writes that rate into the calculator.
class ResultRow final : public QWidget {
    Q_OBJECT

public:
    ResultRow(AppModel& model, const CurrentRates& rates, Currency currency,
              QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

private:
    void buildRateButton();
    void refreshAmount(const QColor& base, bool isHome);
    void refreshRateButton();

    AppModel& m_model;
    const CurrentRates& m_rates;
    const Currency m_currency;
    FilledBox* const m_row;
    TextLine* const m_symbol;
    TextLine* const m_code;
    PressableButton* const m_amount;
    QWidget* m_rateHolder = nullptr; // none for the euro
    PressableButton* m_rate = nullptr;
};

// The converted amounts, one row per active currency, on a rounded field.
class ResultList final : public FilledBox {
    Q_OBJECT

public:
    ResultList(AppModel& model, const CurrentRates& rates, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

private:
    void rebuild();

    AppModel& m_model;
    const CurrentRates& m_rates;
    QVBoxLayout* const m_layout;
    QHash<Currency, ResultRow*> m_rows;
    QList<Currency> m_builtFor;
};
