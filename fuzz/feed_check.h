// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rates/feed_result.h"
#include "rates/rate_source.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <cmath>

namespace FuzzFeed {

// A fixed clock, one day after the fixture's quote time, keeps every run reproducible.
inline QDateTime now() {
    return QDateTime(QDate(2026, 12, 8), QTime(1, 0, 1), QTimeZone::utc());
}

// What the store relies on in any record a feed hands over.
inline void checkResult(const FeedResult& result) {
    if (!result.ok())
        return;
    const RateInfo& info = result.info();
    for (const char* code : {"USD", "THB", "PLN"}) {
        const auto it = info.perEur.constFind(QLatin1String(code));
        if (it == info.perEur.cend() || !std::isfinite(*it) || !(*it > 0.0))
            __builtin_trap();
    }
    if (info.perEur.size() != 3 || !info.source)
        __builtin_trap();
    if (info.quotedAt && !(info.fetchedAt - *info.quotedAt < RateSource::maxQuoteAgeSeconds))
        __builtin_trap();
    // A record the feed accepted must survive the cache.
    const auto cached = RateInfo::fromJson(info.toJson());
    if (!cached || !(*cached == info))
        __builtin_trap();
}

} // namespace FuzzFeed
