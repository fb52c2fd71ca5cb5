// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/theme.h"
#include "model/calc_line.h"
#include "model/clock.h"
#include "model/currency.h"
#include "model/settings_store.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class CurrentRates;

// The state behind the panel and every operation on it: the calculator's input line, the amount
// currency, the active currencies, the theme, the login item and the short-lived copied marker.
// Knows nothing of windows, clipboards or autostart files: the shell hands it those services.
class AppModel final : public QObject {
    Q_OBJECT

public:
    // Runs `work` once after `ms`, unless `context` is gone by then.
    using Delay = std::function<void(int ms, QObject* context, std::function<void()> work)>;

    struct Options {
        SettingsStore settings; // "activeCurrencies" and "theme"
        Clock clock = Clocks::system;
        Delay delay = &AppModel::onTimer;
        std::function<void(const QString&)> log = [](const QString&) {};
        // Plain text on the clipboard, if there is any; and a copy onto it.
        std::function<std::optional<QString>()> clipboardText = [] { return std::nullopt; };
        std::function<void(const QString&)> setClipboardText = [](const QString&) {};
        // The login item, kept by the desktop: whether it is registered, and the wish to change
        // it, which answers with what went wrong, if anything.
        std::function<bool()> loginItemRegistered = [] { return false; };
        std::function<std::optional<QString>(bool)> registerLoginItem = [](bool) {
            return std::nullopt;
        };
        int copiedMarkerMs = 1500;
        // Clipboard text longer than this is ignored by paste: nobody pastes a calculation
        // that long, and evaluating it on every redraw would stall the panel.
        qsizetype maxPasteLength = 1 << 20;
    };

    AppModel(const CurrentRates& rates, Options options, QObject* parent = nullptr);

    const QString& calcText() const { return m_line.text(); }
    Currency amountCurrency() const { return m_amountCurrency; }
    const QList<Currency>& activeCurrencies() const { return m_activeCurrencies; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    std::optional<Currency> copiedCurrency() const { return m_copiedCurrency; }
    const Theme& theme() const { return m_theme; }
    bool showsResult() const { return m_line.showsResult(); }
    // The model's idea of now, for everything that shows how old the rates are.
    QDateTime now() const { return m_options.clock(); }

    Currency defaultAmountCurrency() const;
    bool isActive(Currency c) const { return m_activeCurrencies.contains(c); }

    // Settings
    void setActive(Currency c, bool on);
    void setTheme(const Theme& theme);
    void setLaunchAtLogin(bool on);
    void setAmountCurrency(Currency c); // the currency picker assigns it directly
    void resetAll();
    // Asks whoever shows the panel to hide it (the footer's "Schließen").
    void closeWindow() { emit closeWindowRequested(); }

    // Editing
    void press(CalcKey key);
    void equals() { press(CalcKey::equals); }
    void pasteIntoCalculator();
    std::optional<QString> calcPreview() const { return m_line.preview(); }

    // Conversion and copying
    std::optional<double> converted(Currency to) const;
    std::optional<QString> amountForCopy(Currency c) const;
    std::optional<QString> euroForCopy() const { return amountForCopy(Currency::eur); }
    void copyAmount(Currency c);
    void copyEuro() { copyAmount(Currency::eur); }
    void insertRate(Currency from, Currency to, int digits);

    // The program's delay: a Qt timer that dies with its context.
    static void onTimer(int ms, QObject* context, std::function<void()> work);

signals:
    // One per published property, emitted on every assignment.
    void calcTextChanged();
    void amountCurrencyChanged();
    void activeCurrenciesChanged();
    void launchAtLoginChanged();
    void copiedCurrencyChanged();
    void themeChanged();

    void closeWindowRequested();

private:
    void readSettings();
    void assignAmountCurrency(Currency c);
    void setActiveCurrencies(const QList<Currency>& currencies);
    void setLaunchAtLoginFlag(bool on);
    void setCopiedCurrency(std::optional<Currency> c);

    const CurrentRates& m_rates;
    Options m_options;
    CalcLine m_line;
    Currency m_amountCurrency = Currency::thb;
    QList<Currency> m_activeCurrencies;
    bool m_launchAtLogin = false;
    std::optional<Currency> m_copiedCurrency;
    Theme m_theme;
};
