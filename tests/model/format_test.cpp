// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/format.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumberRow {
    double value;
    int digits;
    const char* expected;
};

TEST(Format, Number) {
    const NumberRow rows[] = {
        {1234.5, 2, "1.234,50"},
        {-1234567.891, 2, "-1.234.567,89"},
        {38.1234, 3, "38,123"},
        {0.5, 4, "0,5000"},
        {999, 2, "999,00"},
        {1000, 0, "1.000"},
        {12345678, 0, "12.345.678"},
        {123456, 1, "123.456,0"},
        {2.5, 0, "2"},
        {3.5, 0, "4"},
        {0.125, 2, "0,12"},
        {0.375, 2, "0,38"},
        {2.675, 2, "2,67"},       // stored just below the tie
        {999.995, 2, "1.000,00"}, // stored just above it
        {999999.5, 0, "1.000.000"},
        {-0.001, 2, "0,00"},
        {0, 2, "0,00"},
        {1e21, 0, "1.000.000.000.000.000.000.000"},
    };
    for (const NumberRow& row : rows)
        EXPECT_EQ(Format::number(row.value, row.digits), row.expected)
            << row.value << " digits " << row.digits;
}

TEST(Format, PlainAndMoney) {
    const std::pair<double, const char*> plain[] = {
        {1234.5, "1234,5"},
        {1234, "1234"},
        {0.1 + 0.2, "0,3"},
        {2.0 / 3.0, "0,666667"},
        {-12.5, "-12,5"},
        {1e6, "1000000"},
        {5e-7, "0"},
        {-5e-7, "0"},
        {0.0000015, "0,000002"},
        {0.9999996, "1"},
        {123456789.123456789, "123456789,123457"},
    };
    for (const auto& [value, expected] : plain)
        EXPECT_EQ(Format::plain(value), expected) << value;

    const std::pair<double, const char*> money[] = {
        {1234.5, "1234,50"},         {-3, "-3,00"}, {0.125, "0,12"}, {5, "5,00"},
        {1234567.891, "1234567,89"},
    };
    for (const auto& [value, expected] : money)
        EXPECT_EQ(Format::money(value), expected) << value;
}

struct PerEuroRow {
    Currency currency;
    double rate;
    int digits;
    const char16_t* expected;
};

// The rate buttons and the tray's tool tip.
TEST(Format, PerEuro) {
    const PerEuroRow rows[] = {
        {Currency::thb, 39.5, 2, u"1 \u20AC = 39,50 \u0E3F"},
        {Currency::thb, 38.1234, 3, u"1 \u20AC = 38,123 \u0E3F"},
        {Currency::usd, 1.08, 4, u"1 \u20AC = 1,0800 $"},
        {Currency::pln, 4312.34567, 4, u"1 \u20AC = 4.312,3457 z\u0142"},
        {Currency::eur, 1, 0, u"1 \u20AC = 1 \u20AC"},
    };
    for (const PerEuroRow& row : rows)
        EXPECT_EQ(Format::perEuro(row.currency, row.rate, row.digits),
                  QString::fromUtf16(row.expected))
            << row.rate;
}

TEST(Format, NonFiniteValuesStillGiveText) {
    EXPECT_EQ(Format::number(std::numeric_limits<double>::infinity(), 2), "\u221E");
    EXPECT_EQ(Format::money(-std::numeric_limits<double>::infinity()), "-\u221E");
    EXPECT_EQ(Format::plain(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(Format::money(std::numeric_limits<double>::max()).size(), 309 + 3);
}

TEST(Format, RateDate) {
    const std::pair<const char*, const char*> rows[] = {
        {"2024-05-17", "17.05.24"},
        {"2000-01-01", "01.01.00"},
        {"2024-02-29", "29.02.24"},
        {"2023-02-29", "2023-02-29"},
        {"2024-05-17T10:00:00", "2024-05-17T10:00:00"},
        {"17-05-2024", "17-05-2024"},
        {"2024-5-17", "2024-5-17"},
        {"2024-05-1x", "2024-05-1x"},
        {" 2024-05-1", " 2024-05-1"},
        {"", ""},
    };
    for (const auto& [input, expected] : rows)
        EXPECT_EQ(Format::rateDate(QString::fromLatin1(input)), expected) << input;
}

TEST(Format, StampShowsTheDateOnlyForOtherDays) {
    const QDateTime now(QDate(2026, 12, 8), QTime(15, 0));
    auto at = [](QDate day, QTime time) { return Timestamps::fromDateTime(QDateTime(day, time)); };
    EXPECT_EQ(Format::stamp(at(QDate(2026, 12, 8), QTime(9, 5)), now), "09:05 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2026, 12, 8), QTime(0, 1)), now), "00:01 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2026, 12, 7), QTime(23, 57)), now), "07.12. 23:57 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2026, 3, 3), QTime(14, 30)), now), "03.03. 14:30 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2026, 1, 1), QTime(0, 0)), now), "01.01. 00:00 Uhr");
    // Another year carries its year: a year-old record must not read as one of this year.
    EXPECT_EQ(Format::stamp(at(QDate(2025, 12, 8), QTime(19, 6)), now), "08.12.25 19:06 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2025, 12, 31), QTime(23, 59)), now), "31.12.25 23:59 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2027, 1, 1), QTime(0, 0)), now), "01.01.27 00:00 Uhr");
    EXPECT_EQ(Format::stamp(at(QDate(2009, 12, 8), QTime(15, 0)), now), "08.12.09 15:00 Uhr");
}

TEST(Format, StampOfAWildTimestampDoesNotCrash) {
    for (double t : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_TRUE(Format::stamp(t, QDateTime::currentDateTime()).endsWith(" Uhr")) << t;
}

} // namespace
