// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/rate_info.h"
#include "model/settings_store.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTimeZone>
#include <QVariant>

#include <optional>
#include <utility>

// The sample rate record, as the program caches it; the end-to-end scripts start the program
// with the same file in its settings. A fixture that cannot be read stops the program at once.
inline RateInfo sampleRecord() {
    QFile file(QStringLiteral(VELMORA_FIXTURES_DIR "/sample_rates.json"));
    std::optional<RateInfo> info;
    if (file.open(QIODevice::ReadOnly))
        info = RateInfo::fromJson(file.readAll());
    if (!info)
        qFatal("cannot read the sample rates from %s", qPrintable(file.fileName()));
    return *info;
}

// The rates the unit tests convert with: the sample record, or other rates where given; fetched
// at 18:00 UTC on 8 December 2026, the day the tests' clocks show.
inline RateInfo sampleRates(std::optional<double> usd = {}, std::optional<double> thb = {},
                            std::optional<double> pln = {}) {
    RateInfo info = sampleRecord();
    for (const auto& [code, rate] : {std::pair{"USD", usd}, {"THB", thb}, {"PLN", pln}})
        if (rate)
            info.perEur.insert(QLatin1String(code), *rate);
    info.fetchedAt =
        Timestamps::fromDateTime(QDateTime(QDate(2026, 12, 8), QTime(18, 0), QTimeZone::utc()));
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
