// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QVariant;

// The user's settings and the rate cache: three keys in one QSettings file (INI format), read and
// written through this class only. Every write is synced at once, so a crash right after a change
// loses nothing. A value of the wrong type reads as missing: the file may have been damaged or
// edited by hand.
//
// A write that does not reach the disk (a full disk, a folder the user may not write) is told to
// the log once, and once more when writing works again; the caller keeps its values either way.
// Copies share that record, so the panel's settings and the rate cache, which live in the same
// file, do not each report the same fault.
class SettingsStore final {
public:
    static constexpr const char* activeCurrenciesKey = "activeCurrencies";
    static constexpr const char* themeKey = "theme";
    static constexpr const char* cachedRatesKey = "cachedRates";

    using Log = std::function<void(const QString&)>;

    // Without a path there is nowhere to keep anything: reads give nothing, writes are dropped.
    SettingsStore() = default;
    explicit SettingsStore(QString path, Log log = {})
        : m_path(std::move(path))
        , m_saving(std::make_shared<Saving>(Saving{std::move(log), false})) {}

    const QString& path() const { return m_path; }

    // The stored currency codes, as stored; nothing when the key holds no list of strings.
    std::optional<QStringList> activeCurrencies() const;
    void setActiveCurrencies(const QStringList& codes) const;

    std::optional<QString> theme() const;
    void setTheme(const QString& id) const;

    // The JSON text of the cached rate record.
    std::optional<QByteArray> cachedRates() const;
    void setCachedRates(const QByteArray& json) const;

private:
    std::optional<QVariant> value(const char* key, bool* present = nullptr) const;
    void setValue(const char* key, const QVariant& value) const;

    struct Saving {
        Log log;
        bool failing;
    };

    QString m_path;
    std::shared_ptr<Saving> m_saving;
};
