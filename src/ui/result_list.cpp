// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_list.h"

#include "app/app_model.h"
#include "model/current_rates.h"
#include "model/format.h"
#include "ui/accessibility.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ResultRow::ResultRow(AppModel& model, const CurrentRates& rates, Currency currency, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_rates(rates)
    , m_currency(currency)
    , m_row(new FilledBox(Metrics::rowRadius, this))
    , m_symbol(new TextLine(m_row))
    , m_code(new TextLine(m_row))
    , m_amount(new PressableButton(m_row)) {
    const QString code = Currencies::code(currency);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::rateButtonGap);
    m_row->setObjectName(QStringLiteral("row-") + code);
    // The row speaks as one, its code and then its amount; its symbol and code are drawing.
    Accessibility::setPresence(m_row, Accessibility::Presence::flattened);
    Accessibility::setPresence(m_symbol, Accessibility::Presence::hidden);
    Accessibility::setPresence(m_code, Accessibility::Presence::hidden);
    auto* rowLayout = new QHBoxLayout(m_row);
    rowLayout->setSpacing(Metrics::rowSpacing);
    m_symbol->setFixedWidth(Metrics::currencySymbolWidth);
    m_symbol->setAlignment(Qt::AlignCenter);
    m_amount->setObjectName(QStringLiteral("copy-") + code);
    m_amount->setAccessibleName(QStringLiteral("Betrag in ") + code + QStringLiteral(" kopieren"));
    m_amount->setPlain(true);
    m_amount->setSpacing(Metrics::copySymbol.spacing);
    m_amount->setMinimumScale(0.6);
    m_amount->setContentAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_amount->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(m_amount, &QAbstractButton::clicked, this, [this] { m_model.copyAmount(m_currency); });
    rowLayout->addWidget(m_symbol);
    rowLayout->addWidget(m_code);
    rowLayout->addStretch(1);
    rowLayout->addWidget(m_amount);
    layout->addWidget(m_row);
    if (currency != Currency::eur)
        buildRateButton();
}

void ResultRow::buildRateButton() {
    m_rateHolder = new QWidget(this);
    Accessibility::setPresence(m_rateHolder, Accessibility::Presence::flattened);
    auto* holder = new QHBoxLayout(m_rateHolder);
    holder->setContentsMargins(0, 0, Metrics::rowInset, 0);
    holder->addStretch(1);
    m_rate = new PressableButton(m_rateHolder);
    m_rate->setObjectName(QStringLiteral("rate-") + Currencies::code(m_currency));
    m_rate->setSymbol(QStringLiteral("arrow.up"), Metrics::rateArrow.size);
    m_rate->setSymbolTrailing(true);
    m_rate->setSpacing(Metrics::rateArrow.spacing);
    m_rate->setFont(Fonts::ui(10, QFont::Medium));
    m_rate->setHorizontalPadding(Metrics::rateButton.padding);
    m_rate->setFixedHeight(Metrics::rateButton.height);
    m_rate->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_rate, &QAbstractButton::clicked, this,
            [this] { m_model.insertRate(Currency::eur, m_currency, rateDigits(m_currency)); });
    holder->addWidget(m_rate);
    layout()->addWidget(m_rateHolder);
}

void ResultRow::refresh() {
    const Theme& theme = m_model.theme();
    const bool isAmount = m_currency == m_model.amountCurrency();
    // The euro stands out as the home currency while the amount is typed in another one.
    const bool isHome = m_currency == Currency::eur && !isAmount;
    m_row->setFill(isHome ? Painting::color(theme.homeFill) : QColor(Qt::transparent));
    m_row->setFixedHeight(isHome ? Metrics::homeRowHeight : Metrics::rowHeight);
    m_row->layout()->setContentsMargins(isHome ? Metrics::homeRowMargins : Metrics::rowMargins);

    m_symbol->setFont(isHome ? Fonts::ui(17, QFont::Bold) : Fonts::ui(13, QFont::Medium));
    m_symbol->setText(Currencies::symbol(m_currency),
                      isHome ? Painting::color(theme.homeText) : Painting::color(theme.text));
    m_code->setFont(Fonts::ui(10, isHome ? QFont::Bold : QFont::Medium));
    m_code->setText(Currencies::code(m_currency), isHome ? Painting::color(theme.homeText, 0.8)
                                                         : Painting::color(theme.text, 0.6));
    refreshAmount(isHome ? Painting::color(theme.homeText)
                         : Painting::color(theme.text, isAmount ? 0.55 : 1.0),
                  isHome);
    refreshRateButton();
}

void ResultRow::refreshAmount(const QColor& base, bool isHome) {
    const Theme& theme = m_model.theme();
    const auto value = m_model.converted(m_currency);
    const bool isAmount = m_currency == m_model.amountCurrency();
    const bool copied = m_model.copiedCurrency() == m_currency;
    m_amount->setLabel(value ? Format::number(*value, 2) : QStringLiteral("\u2013"));
    setAccessibleName(Currencies::code(m_currency) + QLatin1Char(' ') + m_amount->label());
    m_amount->setFont(isHome ? Fonts::rounded(22, QFont::Bold)
                             : Fonts::rounded(16, isAmount ? QFont::Normal : QFont::DemiBold));
    m_amount->setForeground(base);
    m_amount->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"),
                        Metrics::copySymbol.size);
    QColor iconColor = base;
    iconColor.setAlphaF(base.alphaF() * 0.45);
    if (copied)
        iconColor = isHome ? Painting::color(theme.homeText) : Painting::color(theme.accent);
    m_amount->setSymbolColor(iconColor);
    m_amount->setEnabled(value.has_value());
    m_amount->setToolTip(value ? Format::money(*value) + QLatin1Char(' ') +
                                     Currencies::code(m_currency) + QStringLiteral(" kopieren")
                               : QString());
}

void ResultRow::refreshRateButton() {
    if (!m_rate)
        return;
    const auto& info = m_rates.info();
    const auto rate = info ? info->rate(m_currency) : std::nullopt;
    m_rateHolder->setVisible(rate.has_value());
    if (!rate)
        return;
    const Theme& theme = m_model.theme();
    const QString text = Format::perEuro(m_currency, *rate, rateDigits(m_currency));
    m_rate->setLabel(text);
    m_rate->setForeground(Painting::color(theme.text, 0.75));
    m_rate->setPressable(
        {Painting::color(theme.key), Painting::color(theme.pressed), Metrics::rateButton.radius});
    m_rate->setToolTip(QStringLiteral("Kurs ") + text +
                       QStringLiteral(" in den Rechner \u00FCbertragen"));
    m_rate->setAccessibleName(m_rate->toolTip());
}

QList<QWidget*> ResultRow::focusOrder() const {
    if (m_rate)
        return {m_amount, m_rate};
    return {m_amount};
}

ResultList::ResultList(AppModel& model, const CurrentRates& rates, QWidget* parent)
    : FilledBox(Metrics::resultsRadius, parent)
    , m_model(model)
    , m_rates(rates)
    , m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("results"));
    setAccessibleName(QStringLiteral("Umrechnung"));
    m_layout->setContentsMargins(Metrics::resultsMargins);
    m_layout->setSpacing(Metrics::resultsSpacing);
}

void ResultList::rebuild() {
    qDeleteAll(m_rows);
    m_rows.clear();
    m_builtFor = m_model.activeCurrencies();
    for (Currency c : m_builtFor) {
        auto* row = new ResultRow(m_model, m_rates, c, this);
        m_layout->addWidget(row);
        // Shown now rather than on the layout's deferred show, so the next paint has it.
        row->show();
        m_rows.insert(c, row);
    }
}

QList<QWidget*> ResultList::focusOrder() const {
    QList<QWidget*> order;
    for (Currency c : m_builtFor)
        order += m_rows.value(c)->focusOrder();
    return order;
}

void ResultList::refresh() {
    if (m_builtFor != m_model.activeCurrencies())
        rebuild();
    setFill(Painting::color(m_model.theme().field, 0.6));
    for (ResultRow* row : std::as_const(m_rows))
        row->refresh();
}
