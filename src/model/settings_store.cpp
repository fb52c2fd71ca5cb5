// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/settings_store.h"

#include <QSettings>
#include <QVariant>

#include <algorithm>

std::optional<QVariant> SettingsStore::value(const char* key, bool* present) const {
    if (m_path.isEmpty())
        return std::nullopt;
    const QSettings settings(m_path, QSettings::IniFormat);
    if (present)
        *present = settings.contains(QLatin1String(key));
    const QVariant stored = settings.value(QLatin1String(key));
    if (!stored.isValid())
        return std::nullopt;
    return stored;
}

void SettingsStore::setValue(const char* key, const QVariant& value) const {
    if (m_path.isEmpty())
        return;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(QLatin1String(key), value);
    settings.sync();
    // A damaged file reads as a FormatError but is written afresh all the same; only an
    // AccessError means the value never reached the disk.
    const bool saved = settings.status() != QSettings::AccessError;
    if (saved == !m_saving->failing)
        return;
    m_saving->failing = !saved;
    if (!m_saving->log)
        return;
    m_saving->log(saved ? QStringLiteral("Einstellungen wieder gespeichert")
                        : QStringLiteral("Einstellungen nicht gespeichert: ") + m_path +
                              QStringLiteral(" l\u00E4sst sich nicht schreiben"));
}

std::optional<QStringList> SettingsStore::activeCurrencies() const {
    // QSettings reads a one-element list back as a plain string and writes an empty list as an
    // invalid value, so both count as lists here.
    bool present = false;
    const auto saved = value(activeCurrenciesKey, &present);
    if (!saved)
        return present ? std::optional<QStringList>(QStringList()) : std::nullopt;
    switch (saved->typeId()) {
    case QMetaType::QStringList:
        return saved->toStringList();
    case QMetaType::QString:
        return QStringList{saved->toString()};
    case QMetaType::QVariantList: {
        const QVariantList items = saved->toList();
        if (std::all_of(items.cbegin(), items.cend(),
                        [](const QVariant& v) { return v.typeId() == QMetaType::QString; }))
            return saved->toStringList();
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void SettingsStore::setActiveCurrencies(const QStringList& codes) const {
    setValue(activeCurrenciesKey, codes);
}

std::optional<QString> SettingsStore::theme() const {
    const auto saved = value(themeKey);
    if (!saved || saved->typeId() != QMetaType::QString)
        return std::nullopt;
    return saved->toString();
}

void SettingsStore::setTheme(const QString& id) const {
    setValue(themeKey, id);
}

std::optional<QByteArray> SettingsStore::cachedRates() const {
    const auto saved = value(cachedRatesKey);
    if (!saved || saved->typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return saved->toByteArray();
}

void SettingsStore::setCachedRates(const QByteArray& json) const {
    setValue(cachedRatesKey, json);
}
