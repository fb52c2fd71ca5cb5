// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_model.h"

#include "model/current_rates.h"
#include "model/format.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

QList<Currency> inFixedOrder(const auto& isOn) {
    QList<Currency> list;
    for (Currency c : Currencies::allCases) {
        if (c == Currency::eur || isOn(c))
            list.append(c);
    }
    return list;
}

} // namespace

AppModel::AppModel(const CurrentRates& rates, Options options, QObject* parent)
    : QObject(parent)
    , m_rates(rates)
    , m_options(std::move(options))
    , m_theme(Theme::navy()) {
    m_launchAtLogin = m_options.loginItemRegistered();
    readSettings();
    m_amountCurrency = defaultAmountCurrency();
}

void AppModel::onTimer(int ms, QObject* context, std::function<void()> work) {
    QTimer::singleShot(ms, context, std::move(work));
}

void AppModel::readSettings() {
    m_theme = Theme::named(m_options.settings.theme());
    const auto codes = m_options.settings.activeCurrencies();
    m_activeCurrencies = inFixedOrder([&codes](Currency c) {
        return codes ? codes->contains(Currencies::code(c)) : c == Currencies::featured;
    });
}

Currency AppModel::defaultAmountCurrency() const {
    if (isActive(Currencies::featured))
        return Currencies::featured;
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
    m_options.settings.setActiveCurrencies(codes);
    m_options.log(QStringLiteral("W\u00E4hrungen: ") + codes.join(QLatin1String(", ")));

    if (!on && c == m_amountCurrency)
        assignAmountCurrency(defaultAmountCurrency());
}

void AppModel::setTheme(const Theme& theme) {
    m_theme = theme;
    emit themeChanged();
    m_options.settings.setTheme(theme.id);
}

void AppModel::setLaunchAtLogin(bool on) {
    // Whether or not the change worked, the flag shows the state the desktop reports afterwards.
    if (const auto failure = m_options.registerLoginItem(on)) {
        m_options.log((on ? QStringLiteral("Autostart nicht eingerichtet: ")
                          : QStringLiteral("Autostart nicht entfernt: ")) +
                      *failure);
    }
    setLaunchAtLoginFlag(m_options.loginItemRegistered());
}

void AppModel::setAmountCurrency(Currency c) {
    assignAmountCurrency(c);
}

void AppModel::resetAll() {
    m_line.clear();
    emit calcTextChanged();
    assignAmountCurrency(defaultAmountCurrency());
}

// ---- editing

void AppModel::press(CalcKey key) {
    if (key == CalcKey::paste)
        return pasteIntoCalculator();
    if (m_line.apply(key))
        emit calcTextChanged();
}

void AppModel::pasteIntoCalculator() {
    const auto text = m_options.clipboardText();
    if (!text || text->isEmpty() || text->size() > m_options.maxPasteLength)
        return;
    if (m_line.paste(*text))
        emit calcTextChanged();
}

// ---- conversion and copying

std::optional<double> AppModel::converted(Currency to) const {
    const auto amount = m_line.value();
    const auto& info = m_rates.info();
    if (!amount || !info)
        return std::nullopt;
    const auto rate = info->cross(m_amountCurrency, to);
    if (!rate)
        return std::nullopt;
    return *rate * *amount;
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
    m_options.setClipboardText(*text);
    setCopiedCurrency(c);
    m_options.log(QStringLiteral("Kopiert: ") + *text + QLatin1Char(' ') + Currencies::code(c));
    // Never cancelled: a later copy moves the marker, and this timer then leaves it alone.
    m_options.delay(m_options.copiedMarkerMs, this, [this, c] {
        if (m_copiedCurrency == c)
            setCopiedCurrency(std::nullopt);
    });
}

void AppModel::insertRate(Currency from, Currency to, int digits) {
    const auto& info = m_rates.info();
    const auto rate = info ? info->cross(from, to) : std::nullopt;
    if (!rate)
        return;
    const double scale = std::pow(10.0, std::clamp(digits, 0, 15));
    const bool appended = m_line.insert(Format::plain(std::round(*rate * scale) / scale));
    emit calcTextChanged();
    if (!appended && isActive(to))
        assignAmountCurrency(to);
}

// ---- published properties

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
