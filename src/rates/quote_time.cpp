// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/quote_time.h"

#include <QStringList>
#include <QTimeZone>

#include <array>

namespace {

struct ZoneName {
    const char* name;
    int offsetMinutes;
};

constexpr std::array<ZoneName, 19> zoneNames{{
    {"GMT", 0},    {"UTC", 0},    {"UT", 0},     {"Z", 0},      {"WET", 0},
    {"WEST", 60},  {"BST", 60},   {"CET", 60},   {"CEST", 120}, {"EET", 120},
    {"EEST", 180}, {"EST", -300}, {"EDT", -240}, {"CST", -360}, {"CDT", -300},
    {"MST", -420}, {"MDT", -360}, {"PST", -480}, {"PDT", -420},
}};

constexpr std::array<const char*, 7> weekdays{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool allDigits(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// "+0200", "-05:00", "+2", "+02": sign, hours, optional minutes.
std::optional<int> numericOffset(QStringView s) {
    if (s.size() < 2 || (s[0] != QLatin1Char('+') && s[0] != QLatin1Char('-')))
        return std::nullopt;
    const int sign = s[0] == QLatin1Char('-') ? -1 : 1;
    QStringView rest = s.mid(1);
    QStringView hours, minutes;
    if (const auto colon = rest.indexOf(QLatin1Char(':')); colon >= 0) {
        hours = rest.left(colon);
        minutes = rest.mid(colon + 1);
        if (minutes.size() != 2)
            return std::nullopt;
    } else if (rest.size() == 4) {
        hours = rest.left(2);
        minutes = rest.mid(2);
    } else if (rest.size() <= 2) {
        hours = rest;
    } else {
        return std::nullopt;
    }
    if (!allDigits(hours) || (!minutes.isEmpty() && !allDigits(minutes)))
        return std::nullopt;
    const int h = hours.toInt();
    const int m = minutes.isEmpty() ? 0 : minutes.toInt();
    if (h > 14 || m > 59)
        return std::nullopt;
    return sign * (h * 60 + m);
}

std::optional<int> zoneOffsetMinutes(QStringView zone) {
    for (const ZoneName& z : zoneNames) {
        if (zone == QLatin1String(z.name))
            return z.offsetMinutes;
    }
    if (const auto offset = numericOffset(zone))
        return offset;
    // "GMT+2", "UTC-05:00"
    for (const char* prefix : {"GMT", "UTC"}) {
        if (zone.startsWith(QLatin1String(prefix)))
            return numericOffset(zone.mid(3));
    }
    return std::nullopt;
}

int indexIn(QStringView word, const auto& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (word.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

namespace QuoteTime {

std::optional<QDateTime> parse(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 6)
        return std::nullopt;

    QStringView weekday = parts[0];
    if (!weekday.endsWith(QLatin1Char(',')))
        return std::nullopt;
    if (indexIn(weekday.chopped(1), weekdays) < 0)
        return std::nullopt;

    const QStringView day = parts[1];
    if (day.size() > 2 || !allDigits(day))
        return std::nullopt;
    const int month = indexIn(parts[2], months);
    if (month < 0)
        return std::nullopt;
    const QStringView year = parts[3];
    if (year.size() != 4 || !allDigits(year))
        return std::nullopt;
    const QDate date(year.toInt(), month + 1, day.toInt());
    if (!date.isValid())
        return std::nullopt;

    const QStringView clock = parts[4];
    if (clock.size() != 8 || clock[2] != QLatin1Char(':') || clock[5] != QLatin1Char(':') ||
        !allDigits(clock.mid(0, 2)) || !allDigits(clock.mid(3, 2)) || !allDigits(clock.mid(6, 2)))
        return std::nullopt;
    const QTime time(clock.mid(0, 2).toInt(), clock.mid(3, 2).toInt(), clock.mid(6, 2).toInt());
    if (!time.isValid())
        return std::nullopt;

    const auto offset = zoneOffsetMinutes(parts[5]);
    if (!offset)
        return std::nullopt;
    // Read the wall time as if it were UTC, then take the zone's offset off.
    return QDateTime(date, time, QTimeZone::utc()).addSecs(-qint64(*offset) * 60);
}

} // namespace QuoteTime
