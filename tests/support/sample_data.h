// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/rate_info.h"
#include "model/settings_store.h"

#include <QDateTime>
#include <QSettings>
#include <QTimeZone>
#include <QVariant>

// The rates the tests convert with: units per euro, fetched on the morning of 8 December 2026.
inline RateInfo sampleRates(double usd = 1.08, double thb = 39.5, double pln = 4.3) {
    RateInfo info;
    info.perEur = {{"USD", usd}, {"THB", thb}, {"PLN", pln}};
    info.rateDate = "2026-12-08";
    info.fetchedAt =
        Timestamps::fromDateTime(QDateTime(QDate(2026, 12, 8), QTime(18, 0), QTimeZone::utc()));
    info.source = QStringLiteral("FloatRates");
    return info;
}

// A record as an earlier run would have cached it, older than anything the feed fixtures give.
inline RateInfo olderRates() {
    RateInfo info;
    info.perEur = {{"USD", 1.1}, {"THB", 37.0}, {"PLN", 4.4}};
    info.rateDate = "2026-12-01";
    info.fetchedAt = 786000000;
    info.source = QStringLiteral("FloatRates");
    return info;
}

// A value of any type under one of the settings keys, as a damaged or hand-edited file holds it.
inline void writeRawSetting(const SettingsStore& settings, const char* key, const QVariant& value) {
    QSettings file(settings.path(), QSettings::IniFormat);
    file.setValue(QLatin1String(key), value);
    file.sync();
}

inline QVariant readRawSetting(const SettingsStore& settings, const char* key) {
    return QSettings(settings.path(), QSettings::IniFormat).value(QLatin1String(key));
}
