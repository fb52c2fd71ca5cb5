// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/quote_time.h"
#include "support/qt_printers.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

TEST(QuoteTime, ReadsTheZonesServersSend) {
    const QDateTime midnight = utc(2026, 12, 8, 0, 0, 1);
    const std::pair<const char*, QDateTime> rows[] = {
        {"Tue, 08 Dec 2026 00:00:01 GMT", midnight},
        {"Tue, 8 Dec 2026 00:00:01 GMT", midnight},
        {"Tue, 08 Dec 2026 00:00:01 UTC", midnight},
        {"Tue, 08 Dec 2026 00:00:01 UT", midnight},
        {"Tue, 08 Dec 2026 02:00:01 +0200", midnight},
        {"Mon, 07 Dec 2026 19:00:01 -0500", midnight},
        {"Tue, 08 Dec 2026 02:00:01 +02:00", midnight},
        {"Tue, 08 Dec 2026 01:00:01 GMT+1", midnight},
        {"Tue, 08 Dec 2026 01:00:01 CET", midnight},
        {"Tue, 08 Dec 2026 02:00:01 CEST", midnight},
        {"Tue, 08 Dec 2026 02:00:01 EET", midnight},
        {"Tue, 08 Dec 2026 03:00:01 EEST", midnight},
        {"Tue, 08 Dec 2026 00:00:01 WET", midnight},
        {"Tue, 08 Dec 2026 01:00:01 WEST", midnight},
        {"Tue, 08 Dec 2026 01:00:01 BST", midnight},
        {"Mon, 07 Dec 2026 19:00:01 EST", midnight},
        {"Mon, 07 Dec 2026 20:00:01 EDT", midnight},
        {"Mon, 07 Dec 2026 18:00:01 CST", midnight},
        {"Mon, 07 Dec 2026 19:00:01 CDT", midnight},
        {"Mon, 07 Dec 2026 17:00:01 MST", midnight},
        {"Mon, 07 Dec 2026 18:00:01 MDT", midnight},
        {"Mon, 07 Dec 2026 16:00:01 PST", midnight},
        {"Mon, 07 Dec 2026 17:00:01 PDT", midnight},
    };
    for (const auto& [text, expected] : rows) {
        const auto parsed = QuoteTime::parse(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, expected) << text;
    }
}

TEST(QuoteTime, RefusesWhatIsNotSuchATimeStamp) {
    for (const char* text : {
             "",
             "Tue, 08 Dec 2026 00:00:01",     // no zone
             "Tue, 08 Dec 2026 00:00:01 XYZ", // unknown zone, not silently UTC
             "Tue, 08 Dec 2026 00:00:01 +2500",
             "Tue 08 Dec 2026 00:00:01 GMT",  // no comma
             "Tue, 08 Dez 2026 00:00:01 GMT", // German month
             "Tue, 32 Dec 2026 00:00:01 GMT",
             "Tue, 29 Feb 2026 00:00:01 GMT",
             "Tue, 008 Dec 2026 00:00:01 GMT",
             "Tue, 08 Dec 26 00:00:01 GMT",
             "Tue, 08 Dec 2026 24:00:00 GMT",
             "Tue, 08 Dec 2026 0:00:01 GMT",
             "Tue, 08 Dec 2026 00:00 GMT",
             "2026-12-08T00:00:01Z",
             "Xyz, 08 Dec 2026 00:00:01 GMT",
         }) {
        EXPECT_FALSE(QuoteTime::parse(QString::fromLatin1(text)).has_value()) << text;
    }
}

} // namespace
