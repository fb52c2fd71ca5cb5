// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/format.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// The most fraction digits anyone asks for is six; the cap only keeps a wild argument from
// allocating without bound.
constexpr int maxDigits = 64;

QString formatDecimal(double value, int minDigits, int maxDigitsWanted, bool grouping) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("\u221E") : QStringLiteral("-\u221E");

    const int hi = std::clamp(maxDigitsWanted, 0, maxDigits);
    const int lo = std::clamp(minDigits, 0, hi);

    // to_chars rounds exact binary ties to even, which is the rounding the display promises;
    // QLocale would round them away from zero.
    char buffer[320 + maxDigits];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, hi);
    if (ec != std::errc())
        return QString::number(value, 'g', 17);
    std::string text(buffer, end);

    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.erase(0, 1);
    }

    std::string intPart = text;
    std::string fracPart;
    if (const auto dot = text.find('.'); dot != std::string::npos) {
        intPart = text.substr(0, dot);
        fracPart = text.substr(dot + 1);
    }
    while (static_cast<int>(fracPart.size()) > lo && fracPart.back() == '0')
        fracPart.pop_back();

    // A value that rounds to zero shows no minus sign: "-0,00" would only confuse.
    const bool allZero =
        std::all_of(intPart.begin(), intPart.end(), [](char c) { return c == '0'; }) &&
        std::all_of(fracPart.begin(), fracPart.end(), [](char c) { return c == '0'; });

    QString out;
    out.reserve(static_cast<qsizetype>(intPart.size() + intPart.size() / 3 + fracPart.size() + 2));
    if (negative && !allZero)
        out += QLatin1Char('-');
    for (std::size_t i = 0; i < intPart.size(); ++i) {
        if (grouping && i > 0 && (intPart.size() - i) % 3 == 0)
            out += QLatin1Char('.');
        out += QLatin1Char(intPart[i]);
    }
    if (!fracPart.empty()) {
        out += QLatin1Char(',');
        out += QLatin1String(fracPart.data(), static_cast<qsizetype>(fracPart.size()));
    }
    return out;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace Format {

QString number(double value, int digits) {
    return formatDecimal(value, digits, digits, true);
}

QString plain(double value) {
    return formatDecimal(value, 0, 6, false);
}

QString money(double value) {
    return formatDecimal(value, 2, 2, false);
}

QString perEuro(Currency c, double rate, int digits) {
    return QStringLiteral("1 ") + Currencies::symbol(Currency::eur) + QStringLiteral(" = ") +
           number(rate, digits) + QLatin1Char(' ') + Currencies::symbol(c);
}

QString rateDate(const QString& isoDay) {
    // Exactly yyyy-MM-dd with a real calendar day; no time part, no other order.
    if (isoDay.size() != 10 || isoDay[4] != QLatin1Char('-') || isoDay[7] != QLatin1Char('-'))
        return isoDay;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!isAsciiDigit(isoDay[i]))
            return isoDay;
    }
    const QDate day(isoDay.left(4).toInt(), isoDay.mid(5, 2).toInt(), isoDay.mid(8, 2).toInt());
    if (!day.isValid())
        return isoDay;
    return twoDigits(day.day()) + QLatin1Char('.') + twoDigits(day.month()) + QLatin1Char('.') +
           twoDigits(day.year() % 100);
}

QString stamp(Timestamp t, const QDateTime& now) {
    const QDateTime local = Timestamps::toDateTime(t).toLocalTime();
    const QTime time = local.time();
    QString text = twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute());
    const QDate day = local.date();
    const QDate today = now.toLocalTime().date();
    if (day == today)
        return text + QLatin1String(" Uhr");
    // Without its year, a day of another year reads as one of this year: rates a year old
    // would look fresh.
    const QString date = twoDigits(day.day()) + QLatin1Char('.') + twoDigits(day.month()) +
                         QLatin1Char('.') +
                         (day.year() == today.year() ? QString() : twoDigits(day.year() % 100));
    return date + QLatin1Char(' ') + text + QLatin1String(" Uhr");
}

} // namespace Format
