#include "ui/calculator_card.h"

#include "app/app_model.h"
#include "model/format.h"
#include "rates/rate_store.h"
#include "ui/card_frame.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QString pasteKey = QStringLiteral("Einf\u00FCgen");

// A plain widget that paints a rounded fill behind its children.
class FilledBox final : public QWidget {
public:
    explicit FilledBox(qreal radius, QWidget* parent = nullptr) : QWidget(parent), m_radius(radius) {}
    void setFill(const QColor& fill) {
        m_fill = fill;
        update();
    }
    const QColor& fill() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_fill.alpha() == 0)
            return;
        QPainter p(this);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_fill);
        p.drawPath(Painting::roundedRect(QRectF(rect()), m_radius));
        p.restore();
    }

private:
    qreal m_radius;
    QColor m_fill = Qt::transparent;
};

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

QColor keyFill(const Theme& theme, const QString& label) {
    if (label == QLatin1String("="))
        return Painting::color(theme.accent);
    if (AppModel::operators.contains(label) || label == pasteKey)
        return Painting::color(theme.key);
    return Painting::color(theme.field);
}

QColor keyText(const Theme& theme, const QString& label) {
    if (label == QLatin1String("C"))
        return Painting::color(theme.warning);
    if (label == QLatin1String("="))
        return Painting::color(theme.accentText);
    return Painting::color(theme.text);
}

} // namespace

const QList<QStringList>& CalculatorCard::keyRows() {
    static const QList<QStringList> rows{
        {QStringLiteral("C"), QStringLiteral("\u232B"), QStringLiteral("\u00F7"), QStringLiteral("\u00D7")},
        {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("\u2212")},
        {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("+")},
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("=")},
        {QStringLiteral("0"), QStringLiteral(","), pasteKey},
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
    auto* row = new QHBoxLayout(m_pickerRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(7);
    layout->addWidget(m_pickerRow);
    return picker;
}

QWidget* CalculatorCard::buildResults() {
    auto* box = new FilledBox(8, this);
    box->setObjectName(QStringLiteral("results"));
    m_results = box;
    m_resultsLayout = new QVBoxLayout(box);
    // Ten points in from the box, less the six by which the emphasised euro row reaches out;
    // the other rows keep those six points inside themselves.
    m_resultsLayout->setContentsMargins(10 - 6, 8, 10 - 6, 8);
    m_resultsLayout->setSpacing(6);
    return box;
}

QWidget* CalculatorCard::buildKeypad() {
    auto* keypad = new QWidget(this);
    keypad->setObjectName(QStringLiteral("keypad"));
    auto* layout = new QVBoxLayout(keypad);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::keySpacing);
    for (const QStringList& labels : keyRows()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(Metrics::keySpacing);
        row->setAlignment(Qt::AlignLeft);
        for (const QString& label : labels) {
            auto* key = new PressableButton(keypad);
            key->setObjectName(QStringLiteral("key-") + label);
            key->setAccessibleName(label);
            key->setLabel(label);
            if (label == pasteKey) {
                key->setSymbol(QStringLiteral("doc.on.clipboard"), 12);
                key->setSpacing(5);
                key->setFont(Fonts::ui(12, QFont::Medium));
                key->setFixedSize(Metrics::wideKeyWidth, Metrics::keyHeight);
                key->setToolTip(QStringLiteral("Zahl aus der Zwischenablage einf\u00FCgen (auch Strg+V)"));
            } else {
                key->setFont(Fonts::rounded(18, label == QLatin1String("=") ? QFont::DemiBold : QFont::Normal));
                key->setFixedSize(Metrics::keyWidth, Metrics::keyHeight);
            }
            connect(key, &QAbstractButton::clicked, this, [this, label] { m_model.press(label); });
            m_keys.insert(label, key);
            row->addWidget(key);
        }
        layout->addLayout(row);
    }
    return keypad;
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

    auto* pickerLayout = static_cast<QHBoxLayout*>(m_pickerRow->layout());
    for (Currency c : m_builtFor) {
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
        pickerLayout->addWidget(button, 1);
        m_pickerButtons.insert(c, button);

        ResultEntry entry;
        entry.container = new QWidget(m_results);
        auto* entryLayout = new QVBoxLayout(entry.container);
        entryLayout->setContentsMargins(0, 0, 0, 0);
        entryLayout->setSpacing(2);
        auto* row = new FilledBox(7, entry.container);
        row->setObjectName(QStringLiteral("row-") + code);
        entry.row = row;
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setSpacing(6);
        entry.symbol = new TextLine(row);
        entry.symbol->setFixedWidth(20);
        entry.symbol->setAlignment(Qt::AlignCenter);
        entry.code = new TextLine(row);
        entry.code->setText(code, {});
        entry.symbol->setText(Currencies::symbol(c), {});
        entry.amount = new PressableButton(row);
        entry.amount->setObjectName(QStringLiteral("copy-") + code);
        entry.amount->setAccessibleName(QStringLiteral("Betrag in ") + code + QStringLiteral(" kopieren"));
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
        entryLayout->addWidget(row);

        if (c != Currency::eur) {
            entry.rateHolder = new QWidget(entry.container);
            auto* holder = new QHBoxLayout(entry.rateHolder);
            holder->setContentsMargins(0, 0, 6, 0);
            holder->addStretch(1);
            entry.rate = new PressableButton(entry.rateHolder);
            entry.rate->setObjectName(QStringLiteral("rate-") + code);
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
            entryLayout->addWidget(entry.rateHolder);
        }
        m_resultsLayout->addWidget(entry.container);
        // Shown now rather than on the layout's deferred show, so the next paint has them.
        entry.container->show();
        button->show();
        m_entries.insert(c, entry);
    }
}

void CalculatorCard::refreshDisplay() {
    const Theme& theme = m_model.theme();
    static_cast<FilledBox*>(m_display)->setFill(Painting::color(theme.field));

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
    m_copyEuro->setToolTip(euro ? QStringLiteral("Euro-Betrag ") + Format::money(*euro) +
                                      QStringLiteral(" kopieren (auch Strg+C). Andere Betr\u00E4ge: einfach anklicken.")
                                : QStringLiteral("Erst eine Zahl eingeben"));

    const QString& line = m_model.calcText();
    m_calcLine->setText(line.isEmpty() ? QStringLiteral("0") : line,
                        Painting::color(theme.text, line.isEmpty() ? 0.35 : 1.0));
    m_preview->setText(m_model.calcPreview().value_or(QStringLiteral(" ")), Painting::color(theme.text, 0.6));
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
    const Theme& theme = m_model.theme();
    static_cast<FilledBox*>(m_results)->setFill(Painting::color(theme.field, 0.6));
    const auto& info = m_store.info();

    for (Currency c : m_builtFor) {
        ResultEntry& entry = m_entries[c];
        const auto value = m_model.converted(c);
        const bool isAmount = c == m_model.amountCurrency();
        const bool isHome = c == Currency::eur && !isAmount;
        const bool copied = m_model.copiedCurrency() == c;
        const QColor base = isHome ? Painting::color(theme.homeText)
                                   : Painting::color(theme.text, isAmount ? 0.55 : 1.0);

        auto* row = static_cast<FilledBox*>(entry.row);
        row->setFill(isHome ? Painting::color(theme.homeFill) : QColor(Qt::transparent));
        row->setFixedHeight(isHome ? 30 + 2 * 4 : 22);
        row->layout()->setContentsMargins(isHome ? 8 : 6, isHome ? 4 : 0, isHome ? 8 : 6, isHome ? 4 : 0);

        entry.symbol->setFont(isHome ? Fonts::ui(17, QFont::Bold) : Fonts::ui(13, QFont::Medium));
        entry.symbol->setText(Currencies::symbol(c),
                              isHome ? Painting::color(theme.homeText) : Painting::color(theme.text));
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
        entry.amount->setToolTip(value ? Format::money(*value) + QLatin1Char(' ') + Currencies::code(c) +
                                             QStringLiteral(" kopieren")
                                       : QString());

        if (entry.rate) {
            const auto rate = info ? info->rate(c) : std::nullopt;
            entry.rateHolder->setVisible(rate.has_value());
            if (rate) {
                const QString text = QStringLiteral("1 \u20AC = ") + Format::number(*rate, rateDigits(c)) +
                                     QLatin1Char(' ') + Currencies::symbol(c);
                entry.rate->setLabel(text);
                entry.rate->setForeground(Painting::color(theme.text, 0.75));
                entry.rate->setPressable({Painting::color(theme.key), Painting::color(theme.pressed), 5});
                entry.rate->setToolTip(QStringLiteral("Kurs ") + text + QStringLiteral(" in den Rechner \u00FCbertragen"));
                entry.rate->setAccessibleName(entry.rate->toolTip());
            }
        }
    }
}

void CalculatorCard::refreshKeypad() {
    const Theme& theme = m_model.theme();
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        it.value()->setPressable({keyFill(theme, it.key()), Painting::color(theme.pressed), 8});
        it.value()->setForeground(keyText(theme, it.key()));
    }
}
