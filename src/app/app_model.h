#pragma once

#include "app/theme.h"
#include "model/currency.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class RateStore;

// The state behind the panel and every operation on it: the calculator's input line, the amount
// currency, the active currencies, the theme, the login item and the short-lived copied marker.
// Knows nothing of windows; the shell hands it a hook that closes the panel.
class AppModel final : public QObject {
    Q_OBJECT

public:
    struct Options {
        QString settingsPath;   // holds "activeCurrencies" and "theme"
        QString autostartPath;  // the XDG autostart entry of the login item
        QString executablePath; // the program the login item starts
        std::function<void(const QString&)> log = [](const QString&) {};
        int copiedMarkerMs = 1500;
        // Clipboard text longer than this is ignored by paste: nobody pastes a calculation
        // that long, and evaluating it on every redraw would stall the panel.
        qsizetype maxPasteLength = 1 << 20;
    };

    // The operator keys, in keypad order: + − × ÷
    static const QStringList operators;

    AppModel(RateStore& store, Options options, QObject* parent = nullptr);

    RateStore& store() const { return m_store; }
    const QString& calcText() const { return m_calcText; }
    Currency amountCurrency() const { return m_amountCurrency; }
    const QList<Currency>& activeCurrencies() const { return m_activeCurrencies; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    std::optional<Currency> copiedCurrency() const { return m_copiedCurrency; }
    const Theme& theme() const { return m_theme; }
    bool showsResult() const { return m_showsResult; }

    Currency defaultAmountCurrency() const;
    bool isActive(Currency c) const { return m_activeCurrencies.contains(c); }

    // Settings
    void setActive(Currency c, bool on);
    void setTheme(const Theme& theme);
    void setLaunchAtLogin(bool on);
    void setAmountCurrency(Currency c); // the currency picker assigns it directly
    void resetAll();

    // Editing
    void press(const QString& key);
    void equals();
    void pasteIntoCalculator();
    std::optional<double> calcValue() const;
    std::optional<QString> calcPreview() const;

    // Conversion and copying
    std::optional<double> converted(Currency to) const;
    std::optional<QString> amountForCopy(Currency c) const;
    std::optional<QString> euroForCopy() const { return amountForCopy(Currency::eur); }
    void copyAmount(Currency c);
    void copyEuro() { copyAmount(Currency::eur); }
    void insertRate(Currency from, Currency to, int digits);

    // Set by the shell; hides the panel.
    std::function<void()> closeWindow;

signals:
    // One per published property, emitted on every assignment.
    void calcTextChanged();
    void amountCurrencyChanged();
    void activeCurrenciesChanged();
    void launchAtLoginChanged();
    void copiedCurrencyChanged();
    void themeChanged();

private:
    void backspace();
    void appendOperator(const QString& op);
    bool waitsForNumber() const;
    void readSettings();

    void setCalcText(const QString& text);
    void assignAmountCurrency(Currency c);
    void setActiveCurrencies(const QList<Currency>& currencies);
    void setLaunchAtLoginFlag(bool on);
    void setCopiedCurrency(std::optional<Currency> c);

    RateStore& m_store;
    Options m_options;
    QString m_calcText;
    Currency m_amountCurrency = Currency::thb;
    QList<Currency> m_activeCurrencies;
    bool m_launchAtLogin = false;
    std::optional<Currency> m_copiedCurrency;
    Theme m_theme;
    bool m_showsResult = false;
};
