#include "app/app_model.h"

#include "app/login_item.h"
#include "model/calculator.h"
#include "model/format.h"
#include "rates/rate_store.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QTextBoundaryFinder>
#include <QTimer>

#include <cmath>

namespace {

const QString activeKey = QStringLiteral("activeCurrencies");
const QString themeKey = QStringLiteral("theme");

// Spaces of every kind and tabs, but not line breaks.
bool isLineBlank(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimmedOfBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isLineBlank(text[first]))
        ++first;
    while (last > first && isLineBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

QString lastCharacter(const QString& text) {
    if (text.isEmpty())
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.toEnd();
    const qsizetype start = finder.toPreviousBoundary();
    return start < 0 ? text.right(1) : text.mid(start);
}

QString withoutLastCharacter(const QString& text) {
    return text.left(text.size() - lastCharacter(text).size());
}

// The line's value: as written, else as cleaned (so "12 + " still counts as 12).
std::optional<double> lineValue(const QString& line) {
    if (auto value = Calculator::evaluate(line))
        return value;
    return Calculator::evaluate(Calculator::cleanPasted(line));
}

QList<Currency> inFixedOrder(const auto& isOn) {
    QList<Currency> list;
    for (Currency c : Currencies::allCases) {
        if (c == Currency::eur || isOn(c))
            list.append(c);
    }
    return list;
}

} // namespace

const QStringList AppModel::operators{QStringLiteral("+"), QStringLiteral("\u2212"),
                                      QStringLiteral("\u00D7"), QStringLiteral("\u00F7")};

AppModel::AppModel(RateStore& store, Options options, QObject* parent)
    : QObject(parent), m_store(store), m_options(std::move(options)), m_theme(Theme::navy()) {
    m_launchAtLogin = LoginItem::isRegistered(m_options.autostartPath, m_options.executablePath);
    readSettings();
    m_amountCurrency = defaultAmountCurrency();
}

void AppModel::readSettings() {
    QSettings settings(m_options.settingsPath, QSettings::IniFormat);

    const QVariant theme = settings.value(themeKey);
    m_theme = Theme::named(theme.typeId() == QMetaType::QString
                               ? std::optional<QString>(theme.toString())
                               : std::nullopt);

    // QSettings reads a one-element list back as a plain string and writes an empty list as
    // an invalid value, so both count as lists here; any other type counts as missing.
    QStringList codes{QStringLiteral("EUR"), QStringLiteral("THB")};
    const QVariant saved = settings.value(activeKey);
    if (saved.typeId() == QMetaType::QStringList)
        codes = saved.toStringList();
    else if (saved.typeId() == QMetaType::QString)
        codes = QStringList{saved.toString()};
    else if (!saved.isValid() && settings.contains(activeKey))
        codes.clear();
    else if (saved.typeId() == QMetaType::QVariantList) {
        const QVariantList items = saved.toList();
        if (std::all_of(items.cbegin(), items.cend(),
                        [](const QVariant& v) { return v.typeId() == QMetaType::QString; }))
            codes = saved.toStringList();
    }
    m_activeCurrencies = inFixedOrder([&codes](Currency c) { return codes.contains(Currencies::code(c)); });
}

Currency AppModel::defaultAmountCurrency() const {
    if (isActive(Currency::thb))
        return Currency::thb;
    for (Currency c : m_activeCurrencies) {
        if (c != Currency::eur)
            return c;
    }
    return Currency::eur;
}

// ---- settings

void AppModel::setActive(Currency c, bool on) {
    if (c == Currency::eur)
        return;
    QList<Currency> current = m_activeCurrencies;
    current.removeAll(c);
    if (on)
        current.append(c);
    setActiveCurrencies(inFixedOrder([&current](Currency x) { return current.contains(x); }));

    QStringList codes;
    for (Currency x : m_activeCurrencies)
        codes.append(Currencies::code(x));
    QSettings settings(m_options.settingsPath, QSettings::IniFormat);
    settings.setValue(activeKey, codes);
    settings.sync();
    m_options.log(QStringLiteral("W\u00E4hrungen: ") + codes.join(QLatin1String(", ")));

    if (!on && c == m_amountCurrency)
        assignAmountCurrency(defaultAmountCurrency());
}

void AppModel::setTheme(const Theme& theme) {
    m_theme = theme;
    emit themeChanged();
    QSettings settings(m_options.settingsPath, QSettings::IniFormat);
    settings.setValue(themeKey, theme.id);
    settings.sync();
}

void AppModel::setLaunchAtLogin(bool on) {
    // Failures are not reported: the flag shows whatever state the entry is in afterwards.
    if (on)
        LoginItem::registerProgram(m_options.autostartPath, m_options.executablePath);
    else
        LoginItem::unregisterProgram(m_options.autostartPath);
    setLaunchAtLoginFlag(LoginItem::isRegistered(m_options.autostartPath, m_options.executablePath));
}

void AppModel::setAmountCurrency(Currency c) { assignAmountCurrency(c); }

void AppModel::resetAll() {
    setCalcText(QString());
    assignAmountCurrency(defaultAmountCurrency());
    m_showsResult = false;
}

// ---- editing

void AppModel::press(const QString& key) {
    if (key == QLatin1String("C")) {
        setCalcText(QString());
        m_showsResult = false;
    } else if (key == QStringLiteral("\u232B")) {
        backspace();
    } else if (key == QLatin1String("=")) {
        equals();
    } else if (key == QStringLiteral("Einf\u00FCgen")) {
        pasteIntoCalculator();
    } else if (operators.contains(key)) {
        appendOperator(key);
    } else {
        const QString base = m_showsResult ? QString() : m_calcText;
        m_showsResult = false;
        setCalcText(base + key);
    }
}

void AppModel::backspace() {
    m_showsResult = false;
    if (m_calcText.isEmpty())
        return;
    if (!m_calcText.endsWith(QLatin1Char(' '))) {
        setCalcText(withoutLastCharacter(m_calcText));
        return;
    }
    QString line = trimmedOfBlanks(m_calcText);
    if (operators.contains(lastCharacter(line)))
        line = withoutLastCharacter(line);
    setCalcText(trimmedOfBlanks(line));
}

void AppModel::appendOperator(const QString& op) {
    m_showsResult = false;
    QString line = trimmedOfBlanks(m_calcText);
    if (operators.contains(lastCharacter(line)))
        line = trimmedOfBlanks(withoutLastCharacter(line));
    if (!line.isEmpty())
        setCalcText(line + QLatin1Char(' ') + op + QLatin1Char(' '));
    else
        setCalcText(op == operators[1] ? op : QString());
}

void AppModel::equals() {
    const auto value = lineValue(m_calcText);
    if (!value)
        return;
    setCalcText(Format::plain(*value));
    m_showsResult = true;
}

bool AppModel::waitsForNumber() const {
    const QString line = trimmedOfBlanks(m_calcText);
    if (line.isEmpty())
        return false;
    const QString last = lastCharacter(line);
    return operators.contains(last) || last == QLatin1String("(");
}

void AppModel::pasteIntoCalculator() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return;
    const QString text = data->text();
    if (text.isEmpty() || text.size() > m_options.maxPasteLength)
        return;

    const QString cleaned = Calculator::cleanPasted(text);
    if (cleaned.isEmpty())
        return;
    QString piece;
    if (Calculator::isExpression(cleaned)) {
        piece = cleaned;
    } else {
        const auto value = Calculator::evaluate(cleaned);
        if (!value)
            return;
        piece = Format::plain(*value);
    }
    setCalcText(waitsForNumber() ? m_calcText + piece : piece);
    m_showsResult = false;
}

std::optional<double> AppModel::calcValue() const { return lineValue(m_calcText); }

std::optional<QString> AppModel::calcPreview() const {
    if (!Calculator::isExpression(m_calcText))
        return std::nullopt;
    const auto value = Calculator::evaluate(m_calcText);
    if (!value)
        return std::nullopt;
    return QStringLiteral("= ") + Format::number(*value, 2);
}

// ---- conversion and copying

std::optional<double> AppModel::converted(Currency to) const {
    const auto amount = lineValue(m_calcText);
    const auto& info = m_store.info();
    if (!amount || !info)
        return std::nullopt;
    const auto f = info->rate(m_amountCurrency);
    const auto g = info->rate(to);
    if (!f || !g || !(*f > 0.0))
        return std::nullopt;
    return (*g / *f) * *amount;
}

std::optional<QString> AppModel::amountForCopy(Currency c) const {
    const auto value = converted(c);
    if (!value)
        return std::nullopt;
    return Format::money(*value);
}

void AppModel::copyAmount(Currency c) {
    const auto text = amountForCopy(c);
    if (!text)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(*text, QClipboard::Clipboard);
    setCopiedCurrency(c);
    m_options.log(QStringLiteral("Kopiert: ") + *text + QLatin1Char(' ') + Currencies::code(c));
    // Never cancelled: a later copy moves the marker, and this timer then leaves it alone.
    QTimer::singleShot(m_options.copiedMarkerMs, this, [this, c] {
        if (m_copiedCurrency == c)
            setCopiedCurrency(std::nullopt);
    });
}

void AppModel::insertRate(Currency from, Currency to, int digits) {
    const auto& info = m_store.info();
    if (!info)
        return;
    const auto rf = info->rate(from);
    const auto rt = info->rate(to);
    if (!rf || !rt || !(*rf > 0.0))
        return;
    const double rate = *rt / *rf;
    const bool appending = waitsForNumber();
    const double scale = std::pow(10.0, std::clamp(digits, 0, 15));
    const QString text = Format::plain(std::round(rate * scale) / scale);
    setCalcText(appending ? m_calcText + text : text);
    m_showsResult = false;
    if (!appending && isActive(to))
        assignAmountCurrency(to);
}

// ---- published properties

void AppModel::setCalcText(const QString& text) {
    m_calcText = text;
    emit calcTextChanged();
}

void AppModel::assignAmountCurrency(Currency c) {
    m_amountCurrency = c;
    emit amountCurrencyChanged();
}

void AppModel::setActiveCurrencies(const QList<Currency>& currencies) {
    m_activeCurrencies = currencies;
    emit activeCurrenciesChanged();
}

void AppModel::setLaunchAtLoginFlag(bool on) {
    m_launchAtLogin = on;
    emit launchAtLoginChanged();
}

void AppModel::setCopiedCurrency(std::optional<Currency> c) {
    m_copiedCurrency = c;
    emit copiedCurrencyChanged();
}
