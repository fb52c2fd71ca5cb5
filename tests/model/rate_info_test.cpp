// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rate_info.h"
#include "support/qt_printers.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

RateInfo sample() {
    RateInfo info;
    info.perEur = {{"USD", 1.0842}, {"THB", 38.123}, {"PLN", 4.3121}};
    info.rateDate = "2026-12-08";
    info.fetchedAt = 786931200.25;
    info.source = QStringLiteral("FloatRates");
    info.quotedAt = 786930000.0;
    return info;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(RateInfo, RateOfTheEuroIsOneWhateverTheMapHolds) {
    RateInfo empty;
    EXPECT_EQ(empty.rate(Currency::eur), 1.0);
    RateInfo odd;
    odd.perEur = {{"EUR", 3.0}};
    EXPECT_EQ(odd.rate(Currency::eur), 1.0);
    EXPECT_FALSE(odd.rate(Currency::usd).has_value());
}

TEST(RateInfo, CrossRates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        QMap<QString, double> perEur;
        Currency from, to;
        std::optional<double> expected;
    };
    const QMap<QString, double> full = {{"USD", 1.25}, {"THB", 40.0}, {"PLN", 4.0}};
    const Row rows[] = {
        {full, Currency::eur, Currency::usd, 1.25},
        {full, Currency::usd, Currency::eur, 1.0 / 1.25},
        {full, Currency::thb, Currency::thb, 1.0},
        {full, Currency::usd, Currency::thb, 40.0 / 1.25},
        {full, Currency::eur, Currency::eur, 1.0},
        {{{"USD", 1.25}}, Currency::pln, Currency::usd, std::nullopt},
        {{{"USD", 1.25}}, Currency::usd, Currency::pln, std::nullopt},
        {{{"USD", 1.25}, {"PLN", 0.0}}, Currency::pln, Currency::usd, std::nullopt},
        {{{"USD", 1.25}, {"PLN", 0.0}}, Currency::usd, Currency::pln, 0.0},
        {{{"USD", -2.0}}, Currency::usd, Currency::eur, std::nullopt},
        {{{"USD", nan}}, Currency::usd, Currency::eur, std::nullopt},
    };
    for (const Row& row : rows) {
        RateInfo info;
        info.perEur = row.perEur;
        SCOPED_TRACE(Currencies::code(row.from).toStdString() + "->" +
                     Currencies::code(row.to).toStdString());
        EXPECT_EQ(info.cross(row.from, row.to), row.expected);
    }
}

TEST(RateInfo, FallbackFlagFollowsTheExactLabel) {
    const std::pair<std::optional<QString>, bool> rows[] = {
        {std::nullopt, true},
        {QStringLiteral("EZB"), true},
        {QStringLiteral("FloatRates"), false},
        {QStringLiteral("ezb"), false},
        {QStringLiteral("EZB "), false},
        {QString(), false},
    };
    for (const auto& [source, fallback] : rows) {
        RateInfo info;
        info.source = source;
        EXPECT_EQ(info.isFallback(), fallback) << source.value_or("<absent>").toStdString();
    }
}

TEST(RateInfo, EqualityComparesEveryField) {
    const RateInfo base = sample();
    EXPECT_EQ(base, sample());
    auto differs = [&](auto change) {
        RateInfo other = sample();
        change(other);
        return !(other == base);
    };
    EXPECT_TRUE(differs([](RateInfo& r) { r.perEur["USD"] = 1.1; }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.perEur.remove("PLN"); }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.rateDate = "2026-12-07"; }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.fetchedAt += 1; }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.source.reset(); }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.quotedAt.reset(); }));
    EXPECT_TRUE(differs([](RateInfo& r) { r.quotedAt = 1.0; }));

    RateInfo withNan = sample();
    withNan.perEur["USD"] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(withNan == withNan);
}

TEST(RateInfo, EncodesAbsentOptionalsByLeavingThemOut) {
    RateInfo info = sample();
    info.source.reset();
    info.quotedAt.reset();
    const QJsonObject object = QJsonDocument::fromJson(info.toJson()).object();
    EXPECT_EQ(object.keys(), (QStringList{"fetchedAt", "perEur", "rateDate"}));

    const QJsonObject full = QJsonDocument::fromJson(sample().toJson()).object();
    EXPECT_EQ(full.value("source").toString(), "FloatRates");
    EXPECT_EQ(full.value("fetchedAt").toDouble(), 786931200.25);
    EXPECT_EQ(full.value("perEur").toObject().value("THB").toDouble(), 38.123);
}

TEST(RateInfo, RoundTripKeepsEveryBit) {
    const double awkward[] = {0.1 + 0.2,
                              1.0 / 3.0,
                              38.123456789012345,
                              5e-324,
                              1.7976931348623157e308,
                              -786931200.123456789,
                              123456789012345678.0,
                              std::nextafter(1.0, 2.0)};
    for (double value : awkward) {
        RateInfo info = sample();
        info.perEur["THB"] = value;
        info.fetchedAt = value;
        info.quotedAt = value;
        const auto back = RateInfo::fromJson(info.toJson());
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_EQ(*back, info);
        EXPECT_TRUE(sameBits(back->perEur.value("THB"), value)) << value;
        EXPECT_TRUE(sameBits(back->fetchedAt, value)) << value;
        EXPECT_TRUE(sameBits(*back->quotedAt, value)) << value;
    }

    RateInfo bare = sample();
    bare.source.reset();
    bare.quotedAt.reset();
    EXPECT_EQ(RateInfo::fromJson(bare.toJson()), bare);
}

TEST(RateInfo, DecodesTheStoredForm) {
    const auto info = RateInfo::fromJson(
        R"({"rateDate":"2024-05-17","perEur":{"USD":1.08,"THB":39.5,"PLN":4.3},"fetchedAt":-12.5,
            "source":null,"quotedAt":null,"extra":[1,2]})");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->rateDate, "2024-05-17");
    EXPECT_EQ(info->fetchedAt, -12.5);
    EXPECT_EQ(info->perEur.value("THB"), 39.5);
    EXPECT_FALSE(info->source.has_value());
    EXPECT_FALSE(info->quotedAt.has_value());
    EXPECT_TRUE(info->isFallback());

    // An empty rate map or unknown codes are read as they are: the cache is not validated.
    const auto odd = RateInfo::fromJson(R"({"perEur":{"XYZ":-1},"rateDate":"","fetchedAt":0})");
    ASSERT_TRUE(odd.has_value());
    EXPECT_EQ(odd->perEur.value("XYZ"), -1.0);
}

TEST(RateInfo, RefusesDamagedTextAsAWhole) {
    const char* damaged[] = {
        "",
        "null",
        "[]",
        "\"text\"",
        "{",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17"})",
        R"({"perEur":{"USD":1},"fetchedAt":1})",
        R"({"rateDate":"2024-05-17","fetchedAt":1})",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17","fetchedAt":"1"})",
        R"({"perEur":{"USD":"1.08"},"rateDate":"2024-05-17","fetchedAt":1})",
        R"({"perEur":{"USD":null},"rateDate":"2024-05-17","fetchedAt":1})",
        R"({"perEur":[1.08],"rateDate":"2024-05-17","fetchedAt":1})",
        R"({"perEur":{"USD":1},"rateDate":20240517,"fetchedAt":1})",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17","fetchedAt":1,"source":7})",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17","fetchedAt":1,"quotedAt":"now"})",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17","fetchedAt":null})",
        R"({"perEur":{"USD":1},"rateDate":"2024-05-17","fetchedAt":1} trailing)",
        R"({"perEur":{"USD":NaN},"rateDate":"2024-05-17","fetchedAt":1})",
    };
    for (const char* text : damaged)
        EXPECT_FALSE(RateInfo::fromJson(QByteArray(text)).has_value()) << text;
}

TEST(RateInfo, RandomBytesAndCutTextNeverCrash) {
    const QByteArray good = sample().toJson();
    for (qsizetype cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(RateInfo::fromJson(good.left(cut)).has_value()) << cut;

    QRandomGenerator rng(42);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes = good;
        const int flips = 1 + rng.bounded(4);
        for (int i = 0; i < flips; ++i)
            bytes[rng.bounded(int(bytes.size()))] = char(rng.bounded(256));
        // Whatever survives the damage must be a whole record that stores again unchanged.
        if (const auto info = RateInfo::fromJson(bytes)) {
            EXPECT_EQ(RateInfo::fromJson(info->toJson()), info) << bytes.toStdString();
        }
    }
}

} // namespace
