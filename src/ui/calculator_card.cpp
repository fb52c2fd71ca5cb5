#include "ui/calculator_card.h"

#include "app/app_model.h"
#include "model/format.h"
#include "rates/rate_store.h"
#include "ui/card_frame.h"
#include "ui/filled_box.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

PressableButton* smallActionButton(QWidget* parent, const QString& symbol, const QString& name) {
    auto* button = new PressableButton(parent);
    button->setSymbol(symbol, 10);
    button->setLabel(name);
    button->setFont(Fonts::ui(10, QFont::Medium));
    button->setSpacing(4);
    button->setHorizontalPadding(7);
    button->setFixedHeight(20);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

QColor keyFill(const Theme& theme, CalcKey key) {
    if (key == CalcKey::equals)
        return Painting::color(theme.accent);
    if (CalcKeys::isOperator(key) || key == CalcKey::paste)
        return Painting::color(theme.key);
    return Painting::color(theme.field);
}

QColor keyText(const Theme& theme, CalcKey key) {
    if (key == CalcKey::clear)
        return Painting::color(theme.warning);
    if (key == CalcKey::equals)
        return Painting::color(theme.accentText);
    return Painting::color(theme.text);
}

} // namespace

const QList<QList<CalcKey>>& CalculatorCard::keyRows() {
    using K = CalcKey;
    static const QList<QList<CalcKey>> rows{
        {K::clear, K::backspace, K::divide, K::times},
        {K::digit7, K::digit8, K::digit9, K::minus},
        {K::digit4, K::digit5, K::digit6, K::plus},
        {K::digit1, K::digit2, K::digit3, K::equals},
        {K::digit0, K::comma, K::paste},
    };
    return rows;
}

CalculatorCard::CalculatorCard(AppModel& model, RateStore& store, QWidget* parent)
    : QWidget(parent), m_model(model), m_store(store), m_left(new CardFrame(this)),
      m_right(new CardFrame(this)) {
    setObjectName(QStringLiteral("calculatorCard"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::cardGap);
    layout->addWidget(m_left);
    layout->addWidget(m_right);

    m_left->setFixedWidth(Metrics::leftWidth);
    m_left->contentLayout()->setSpacing(10);
    m_left->contentLayout()->addWidget(buildDisplay());
    m_left->contentLayout()->addWidget(buildPicker());
    m_left->contentLayout()->addWidget(buildResults());

    m_right->setFixedWidth(Metrics::keypadWidth);
    m_right->contentLayout()->addWidget(buildKeypad());
    refresh();
}

QWidget* CalculatorCard::buildDisplay() {
    auto* box = new FilledBox(8, this);
    box->setObjectName(QStringLiteral("display"));
    m_display = box;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(2);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    m_reset = smallActionButton(box, QStringLiteral("arrow.counterclockwise"),
                                QStringLiteral("Alles zur\u00FCcksetzen"));
    m_reset->setToolTip(QStringLiteral("Zahl l\u00F6schen und W\u00E4hrung zur\u00FCckstellen"));
    m_reset->setAccessibleName(m_reset->label());
    connect(m_reset, &QAbstractButton::clicked, this, [this] { m_model.resetAll(); });
    m_copyEuro = smallActionButton(box, QStringLiteral("doc.on.doc"), QStringLiteral("Kopieren"));
    m_copyEuro->setObjectName(QStringLiteral("copyEuro"));
    m_copyEuro->setDisabledOpacity(0.4);
    connect(m_copyEuro, &QAbstractButton::clicked, this, [this] { m_model.copyAmount(Currency::eur); });
    actions->addWidget(m_reset);
    actions->addWidget(m_copyEuro);
    actions->addStretch(1);
    layout->addLayout(actions);

    m_calcLine = new TextLine(box);
    m_calcLine->setObjectName(QStringLiteral("calcText"));
    m_calcLine->setFont(Fonts::rounded(24));
    m_calcLine->setFixedHeight(30);
    m_calcLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_calcLine->setElideMode(Qt::ElideLeft);
    m_calcLine->setMinimumScale(0.6);
    layout->addWidget(m_calcLine);

    m_preview = new TextLine(box);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFont(Fonts::ui(11));
    m_preview->setFixedHeight(14);
    m_preview->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_preview);
    return box;
}

QWidget* CalculatorCard::buildPicker() {
    auto* picker = new QWidget(this);
    picker->setObjectName(QStringLiteral("currencyPicker"));
    auto* layout = new QVBoxLayout(picker);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_pickerCaption = new TextLine(picker);
    m_pickerCaption->setFont(Fonts::ui(10));
    layout->addWidget(m_pickerCaption);
    m_pickerRow = new QWidget(picker);
    m_pickerLayout = new QHBoxLayout(m_pickerRow);
    m_pickerLayout->setContentsMargins(0, 0, 0, 0);
    m_pickerLayout->setSpacing(7);
    layout->addWidget(m_pickerRow);
    return picker;
}

QWidget* CalculatorCard::buildResults() {
    m_results = new FilledBox(8, this);
    m_results->setObjectName(QStringLiteral("results"));
    m_resultsLayout = new QVBoxLayout(m_results);
    // Ten points in from the box, less the six by which the emphasised euro row reaches out;
    // the other rows keep those six points inside themselves.
    m_resultsLayout->setContentsMargins(10 - 6, 8, 10 - 6, 8);
    m_resultsLayout->setSpacing(6);
    return m_results;
}

QWidget* CalculatorCard::buildKeypad() {
    auto* keypad = new QWidget(this);
    keypad->setObjectName(QStringLiteral("keypad"));
    auto* layout = new QVBoxLayout(keypad);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::keySpacing);
    for (const QList<CalcKey>& keys : keyRows()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(Metrics::keySpacing);
        row->setAlignment(Qt::AlignLeft);
        for (CalcKey key : keys)
            row->addWidget(buildKey(key, keypad));
        layout->addLayout(row);
    }
    return keypad;
}

PressableButton* CalculatorCard::buildKey(CalcKey key, QWidget* keypad) {
    const QString label = CalcKeys::label(key);
    auto* button = new PressableButton(keypad);
    button->setObjectName(QStringLiteral("key-") + label);
    button->setAccessibleName(label);
    button->setLabel(label);
    if (key == CalcKey::paste) {
        button->setSymbol(QStringLiteral("doc.on.clipboard"), 12);
        button->setSpacing(5);
        button->setFont(Fonts::ui(12, QFont::Medium));
        button->setFixedSize(Metrics::wideKeyWidth, Metrics::keyHeight);
        button->setToolTip(
            QStringLiteral("Zahl aus der Zwischenablage einf\u00FCgen (auch Strg+V)"));
    } else {
        button->setFont(
            Fonts::rounded(18, key == CalcKey::equals ? QFont::DemiBold : QFont::Normal));
        button->setFixedSize(Metrics::keyWidth, Metrics::keyHeight);
    }
    connect(button, &QAbstractButton::clicked, this, [this, key] { m_model.press(key); });
    m_keys.insert(key, button);
    return button;
}

void CalculatorCard::refresh() {
    const Theme& theme = m_model.theme();
    m_left->setTheme(theme);
    m_right->setTheme(theme);
    if (m_builtFor != m_model.activeCurrencies())
        rebuildCurrencyRows();
    refreshDisplay();
    refreshPicker();
    refreshResults();
    refreshKeypad();
}

void CalculatorCard::rebuildCurrencyRows() {
    for (PressableButton* button : std::as_const(m_pickerButtons))
        delete button;
    m_pickerButtons.clear();
    for (const ResultEntry& entry : std::as_const(m_entries))
        delete entry.container;
    m_entries.clear();
    m_builtFor = m_model.activeCurrencies();

    for (Currency c : m_builtFor) {
        PressableButton* button = buildPickerButton(c);
        m_pickerLayout->addWidget(button, 1);
        m_pickerButtons.insert(c, button);
        ResultEntry entry = buildResultEntry(c);
        m_resultsLayout->addWidget(entry.container);
        // Shown now rather than on the layout's deferred show, so the next paint has them.
        entry.container->show();
        button->show();
        m_entries.insert(c, entry);
    }
}

PressableButton* CalculatorCard::buildPickerButton(Currency c) {
    const QString code = Currencies::code(c);
    auto* button = new PressableButton(m_pickerRow);
    button->setObjectName(QStringLiteral("currency-") + code);
    button->setLabel(Currencies::symbol(c) + QStringLiteral("  ") + code);
    button->setAccessibleName(button->label());
    button->setFont(Fonts::ui(12, QFont::Medium));
    button->setFixedHeight(26);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setToolTip(QStringLiteral("Die Zahl im Rechner ist in ") + code);
    connect(button, &QAbstractButton::clicked, this, [this, c] { m_model.setAmountCurrency(c); });
    return button;
}

CalculatorCard::ResultEntry CalculatorCard::buildResultEntry(Currency c) {
    const QString code = Currencies::code(c);
    ResultEntry entry;
    entry.container = new QWidget(m_results);
    auto* entryLayout = new QVBoxLayout(entry.container);
    entryLayout->setContentsMargins(0, 0, 0, 0);
    entryLayout->setSpacing(2);
    entry.row = new FilledBox(7, entry.container);
    entry.row->setObjectName(QStringLiteral("row-") + code);
    auto* rowLayout = new QHBoxLayout(entry.row);
    rowLayout->setSpacing(6);
    entry.symbol = new TextLine(entry.row);
    entry.symbol->setFixedWidth(20);
    entry.symbol->setAlignment(Qt::AlignCenter);
    entry.code = new TextLine(entry.row);
    entry.amount = new PressableButton(entry.row);
    entry.amount->setObjectName(QStringLiteral("copy-") + code);
    entry.amount->setAccessibleName(QStringLiteral("Betrag in ") + code +
                                    QStringLiteral(" kopieren"));
    entry.amount->setPlain(true);
    entry.amount->setSpacing(5);
    entry.amount->setMinimumScale(0.6);
    entry.amount->setContentAlignment(Qt::AlignRight | Qt::AlignVCenter);
    entry.amount->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(entry.amount, &QAbstractButton::clicked, this, [this, c] { m_model.copyAmount(c); });
    rowLayout->addWidget(entry.symbol);
    rowLayout->addWidget(entry.code);
    rowLayout->addStretch(1);
    rowLayout->addWidget(entry.amount);
    entryLayout->addWidget(entry.row);
    if (c != Currency::eur)
        buildRateButton(c, entry);
    return entry;
}

void CalculatorCard::buildRateButton(Currency c, ResultEntry& entry) {
    entry.rateHolder = new QWidget(entry.container);
    auto* holder = new QHBoxLayout(entry.rateHolder);
    holder->setContentsMargins(0, 0, 6, 0);
    holder->addStretch(1);
    entry.rate = new PressableButton(entry.rateHolder);
    entry.rate->setObjectName(QStringLiteral("rate-") + Currencies::code(c));
    entry.rate->setSymbol(QStringLiteral("arrow.up"), 7);
    entry.rate->setSymbolTrailing(true);
    entry.rate->setSpacing(4);
    entry.rate->setFont(Fonts::ui(10, QFont::Medium));
    entry.rate->setHorizontalPadding(6);
    entry.rate->setFixedHeight(18);
    entry.rate->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(entry.rate, &QAbstractButton::clicked, this,
            [this, c] { m_model.insertRate(Currency::eur, c, rateDigits(c)); });
    holder->addWidget(entry.rate);
    entry.container->layout()->addWidget(entry.rateHolder);
}

void CalculatorCard::refreshDisplay() {
    const Theme& theme = m_model.theme();
    m_display->setFill(Painting::color(theme.field));

    m_reset->setPressable({Painting::color(theme.key), Painting::color(theme.pressed), 5});
    m_reset->setForeground(Painting::color(theme.text));

    const bool copied = m_model.copiedCurrency() == Currency::eur;
    const auto euro = m_model.converted(Currency::eur);
    m_copyEuro->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"), 10);
    m_copyEuro->setLabel(copied ? QStringLiteral("Kopiert") : QStringLiteral("Kopieren"));
    m_copyEuro->setAccessibleName(m_copyEuro->label());
    m_copyEuro->setForeground(Painting::color(copied ? theme.accentText : theme.text));
    m_copyEuro->setPressable({Painting::color(copied ? theme.accent : theme.key),
                              Painting::color(theme.pressed), 5});
    m_copyEuro->setEnabled(euro.has_value());
    m_copyEuro->setToolTip(
        euro ? QStringLiteral("Euro-Betrag ") + Format::money(*euro) +
                   QStringLiteral(" kopieren (auch Strg+C). Andere Betr\u00E4ge: einfach anklicken.")
             : QStringLiteral("Erst eine Zahl eingeben"));

    const QString& line = m_model.calcText();
    m_calcLine->setText(line.isEmpty() ? QStringLiteral("0") : line,
                        Painting::color(theme.text, line.isEmpty() ? 0.35 : 1.0));
    m_preview->setText(m_model.calcPreview().value_or(QStringLiteral(" ")),
                       Painting::color(theme.text, 0.6));
}

void CalculatorCard::refreshPicker() {
    const Theme& theme = m_model.theme();
    m_pickerCaption->setText(QStringLiteral("Die Zahl ist in"), Painting::color(theme.text, 0.55));
    for (auto it = m_pickerButtons.cbegin(); it != m_pickerButtons.cend(); ++it) {
        const bool selected = it.key() == m_model.amountCurrency();
        it.value()->setForeground(Painting::color(selected ? theme.accentText : theme.text));
        it.value()->setPressable({Painting::color(selected ? theme.accent : theme.field),
                                  Painting::color(theme.pressed), 8});
    }
}

void CalculatorCard::refreshResults() {
    m_results->setFill(Painting::color(m_model.theme().field, 0.6));
    for (Currency c : m_builtFor)
        refreshResultRow(c, m_entries[c]);
}

void CalculatorCard::refreshResultRow(Currency c, ResultEntry& entry) {
    const Theme& theme = m_model.theme();
    const auto value = m_model.converted(c);
    const bool isAmount = c == m_model.amountCurrency();
    const bool isHome = c == Currency::eur && !isAmount;
    const bool copied = m_model.copiedCurrency() == c;
    const QColor base = isHome ? Painting::color(theme.homeText)
                               : Painting::color(theme.text, isAmount ? 0.55 : 1.0);

    entry.row->setFill(isHome ? Painting::color(theme.homeFill) : QColor(Qt::transparent));
    entry.row->setFixedHeight(isHome ? 30 + 2 * 4 : 22);
    entry.row->layout()->setContentsMargins(isHome ? 8 : 6, isHome ? 4 : 0, isHome ? 8 : 6,
                                            isHome ? 4 : 0);

    entry.symbol->setFont(isHome ? Fonts::ui(17, QFont::Bold) : Fonts::ui(13, QFont::Medium));
    entry.symbol->setText(Currencies::symbol(c), isHome ? Painting::color(theme.homeText)
                                                        : Painting::color(theme.text));
    entry.code->setFont(Fonts::ui(10, isHome ? QFont::Bold : QFont::Medium));
    entry.code->setText(Currencies::code(c), isHome ? Painting::color(theme.homeText, 0.8)
                                                    : Painting::color(theme.text, 0.6));

    entry.amount->setLabel(value ? Format::number(*value, 2) : QStringLiteral("\u2013"));
    entry.amount->setFont(isHome ? Fonts::rounded(22, QFont::Bold)
                                 : Fonts::rounded(16, isAmount ? QFont::Normal : QFont::DemiBold));
    entry.amount->setForeground(base);
    entry.amount->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"), 9);
    QColor iconColor = base;
    iconColor.setAlphaF(base.alphaF() * 0.45);
    if (copied)
        iconColor = isHome ? Painting::color(theme.homeText) : Painting::color(theme.accent);
    entry.amount->setSymbolColor(iconColor);
    entry.amount->setEnabled(value.has_value());
    entry.amount->setToolTip(value ? Format::money(*value) + QLatin1Char(' ') +
                                         Currencies::code(c) + QStringLiteral(" kopieren")
                                   : QString());
    if (!entry.rate)
        return;

    const auto& info = m_store.info();
    const auto rate = info ? info->rate(c) : std::nullopt;
    entry.rateHolder->setVisible(rate.has_value());
    if (!rate)
        return;
    const QString text = QStringLiteral("1 \u20AC = ") + Format::number(*rate, rateDigits(c)) +
                         QLatin1Char(' ') + Currencies::symbol(c);
    entry.rate->setLabel(text);
    entry.rate->setForeground(Painting::color(theme.text, 0.75));
    entry.rate->setPressable({Painting::color(theme.key), Painting::color(theme.pressed), 5});
    entry.rate->setToolTip(QStringLiteral("Kurs ") + text +
                           QStringLiteral(" in den Rechner \u00FCbertragen"));
    entry.rate->setAccessibleName(entry.rate->toolTip());
}

void CalculatorCard::refreshKeypad() {
    const Theme& theme = m_model.theme();
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        it.value()->setPressable({keyFill(theme, it.key()), Painting::color(theme.pressed), 8});
        it.value()->setForeground(keyText(theme, it.key()));
    }
}
