// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QTimeZone>

// Points in time are seconds since 2001-01-01 00:00:00 UTC, held as a double. The rate cache
// stores them in exactly this form, so keeping the same epoch in memory makes the cache
// round trip bit for bit instead of drifting through an epoch conversion.
using Timestamp = double;

namespace Timestamps {

inline constexpr double unixOffset = 978307200.0;

inline Timestamp fromUnixSeconds(double unixSeconds) {
    return unixSeconds - unixOffset;
}
inline double toUnixSeconds(Timestamp t) {
    return t + unixOffset;
}

inline Timestamp fromDateTime(const QDateTime& dt) {
    return fromUnixSeconds(static_cast<double>(dt.toMSecsSinceEpoch()) / 1000.0);
}

// A time stamp read from a damaged cache can be anything; clamp it to a range that converts
// without overflow (well beyond any real date) rather than let the cast go undefined.
inline QDateTime toDateTime(Timestamp t) {
    constexpr double limitMs = 8.0e15;
    double ms = toUnixSeconds(t) * 1000.0;
    if (ms != ms) // NaN
        ms = 0;
    ms = ms < -limitMs ? -limitMs : (ms > limitMs ? limitMs : ms);
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), QTimeZone::utc());
}

} // namespace Timestamps
