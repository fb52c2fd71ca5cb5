// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/rate_source.h"
#include "support/feeds.h"
#include "support/qt_printers.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

const QDateTime quoteTime(QDate(2026, 12, 8), QTime(0, 0, 1), QTimeZone::utc());
const QDateTime now = quoteTime.addSecs(3600);

// A primary document with the three used currencies, each entry adjustable.
QJsonObject primary(double thb = 38.5, double usd = 1.08, double pln = 4.3,
                    const QString& date = QStringLiteral("Tue, 08 Dec 2026 00:00:01 GMT")) {
    auto entry = [&](double rate) {
        return QJsonObject{{"rate", rate}, {"date", date}, {"name", "x"}};
    };
    return {{"thb", entry(thb)}, {"usd", entry(usd)}, {"pln", entry(pln)}};
}

QByteArray bytes(const QJsonObject& object) {
    return QJsonDocument(object).toJson();
}

TEST(FeedParse, PrimaryFixtureBecomesARecord) {
    const FeedResult result = RateSource::parseFloatRates(fixtureBody("floatrates_eur.json"), now);
    ASSERT_TRUE(result.ok()) << result.detail().toStdString();
    const RateInfo& info = result.info();
    EXPECT_EQ(info.perEur,
              (QMap<QString, double>{{"THB", 38.1234567}, {"USD", 1.0842313}, {"PLN", 4.2678}}));
    EXPECT_EQ(info.rateDate, "2026-12-08");
    EXPECT_EQ(info.source, "FloatRates");
    EXPECT_FALSE(info.isFallback());
    EXPECT_EQ(info.fetchedAt, Timestamps::fromDateTime(now));
    EXPECT_EQ(info.quotedAt, Timestamps::fromDateTime(quoteTime));
}

TEST(FeedParse, FallbackFixtureBecomesARecord) {
    const FeedResult result = RateSource::parseEcb(fixtureBody("ecb_latest.json"), now);
    ASSERT_TRUE(result.ok()) << result.detail().toStdString();
    const RateInfo& info = result.info();
    EXPECT_EQ(info.perEur,
              (QMap<QString, double>{{"THB", 38.02}, {"USD", 1.0831}, {"PLN", 4.2705}}));
    EXPECT_EQ(info.rateDate, "2026-12-07");
    EXPECT_EQ(info.source, "EZB");
    EXPECT_FALSE(info.quotedAt.has_value());
    EXPECT_TRUE(info.isFallback());
}

TEST(FeedParse, PrimaryRateAsStringIsReadLikeANumber) {
    QJsonObject doc = primary();
    QJsonObject usd = doc["usd"].toObject();
    usd["rate"] = "1.08";
    doc["usd"] = usd;
    const FeedResult fromString = RateSource::parseFloatRates(bytes(doc), now);
    const FeedResult fromNumber = RateSource::parseFloatRates(bytes(primary()), now);
    ASSERT_TRUE(fromString.ok());
    EXPECT_EQ(fromString.info(), fromNumber.info());
}

struct PrimaryCase {
    const char* name;
    QByteArray body;
    std::optional<FeedError> error; // nothing: the reply is accepted
};

TEST(FeedParse, PrimaryChecks) {
    auto without = [](const char* key, const char* member) {
        QJsonObject doc = primary();
        QJsonObject entry = doc[key].toObject();
        entry.remove(member);
        doc[key] = entry;
        return bytes(doc);
    };
    auto withMember = [](const char* key, const char* member, const QJsonValue& value) {
        QJsonObject doc = primary();
        QJsonObject entry = doc[key].toObject();
        entry[member] = value;
        doc[key] = entry;
        return bytes(doc);
    };
    auto withRate = [&](const char* key, const QJsonValue& rate) {
        return withMember(key, "rate", rate);
    };
    QJsonObject extra = primary();
    extra["gbp"] = 12;
    extra["chf"] = QJsonObject{{"rate", "n/a"}};
    QJsonObject missingPln = primary();
    missingPln.remove("pln");
    auto dated = [](const QDateTime& t) {
        return bytes(
            primary(38.5, 1.08, 4.3,
                    t.toUTC().toString(QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))));
    };

    const PrimaryCase cases[] = {
        {"other currencies malformed", bytes(extra), std::nullopt},
        {"usd without date", without("usd", "date"), FeedError::cannotParseResponse},
        {"usd without rate", without("usd", "rate"), FeedError::cannotParseResponse},
        {"pln missing", bytes(missingPln), FeedError::cannotParseResponse},
        {"rate string not a number", withRate("usd", "1,08"), FeedError::cannotParseResponse},
        {"rate string with blank", withRate("usd", " 1.08"), FeedError::cannotParseResponse},
        {"rate string infinite", withRate("thb", "inf"), FeedError::cannotParseResponse},
        {"rate string nan", withRate("thb", "nan"), FeedError::cannotParseResponse},
        {"rate as bool", withRate("usd", true), FeedError::cannotParseResponse},
        {"thb exactly 1", bytes(primary(1.0)), FeedError::cannotParseResponse},
        {"thb just above 1", bytes(primary(1.0000001)), std::nullopt},
        {"usd exactly 0.1", bytes(primary(38.5, 0.1)), FeedError::cannotParseResponse},
        {"pln exactly 0.1", bytes(primary(38.5, 1.08, 0.1)), FeedError::cannotParseResponse},
        {"usd just above 0.1", bytes(primary(38.5, 0.1000001)), std::nullopt},
        {"thb date unreadable", bytes(primary(38.5, 1.08, 4.3, "yesterday")),
         FeedError::cannotParseResponse},
        // The baht's quote dates the record; the others' dates only have to be there.
        {"only the thb date unreadable", withMember("thb", "date", "yesterday"),
         FeedError::cannotParseResponse},
        {"only the usd date unreadable", withMember("usd", "date", "yesterday"), std::nullopt},
        {"71:59 old", dated(now.addSecs(-(72 * 3600 - 60))), std::nullopt},
        {"exactly 72 h old", dated(now.addSecs(-72 * 3600)), FeedError::cannotParseResponse},
        {"a day in the future", dated(now.addDays(1)), std::nullopt},
        {"not JSON", "<html><body>502 Bad Gateway</body></html>", FeedError::jsonError},
        {"JSON array", "[1,2,3]", FeedError::jsonError},
        {"JSON string", "\"eur\"", FeedError::jsonError},
        {"empty body", "", FeedError::jsonError},
        {"invalid UTF-8", "{\"thb\":{\"date\":\"\xff\xfe\",\"rate\":38}}", FeedError::jsonError},
        {"truncated", bytes(primary()).left(40), FeedError::jsonError},
    };
    for (const PrimaryCase& c : cases) {
        const FeedResult result = RateSource::parseFloatRates(c.body, now);
        if (c.error) {
            EXPECT_FALSE(result.ok()) << c.name;
            if (!result.ok()) {
                EXPECT_EQ(result.error(), *c.error) << c.name;
            }
        } else {
            EXPECT_TRUE(result.ok()) << c.name << ": " << result.detail().toStdString();
        }
    }
    EXPECT_EQ(RateSource::parseFloatRates(bytes(missingPln), now).detail(),
              "thb, usd or pln missing or unreadable");
}

TEST(FeedParse, PrimaryRateDateIsTheUtcDay) {
    // Half an hour before and after midnight in a zone two hours east of UTC.
    const std::pair<const char*, const char*> rows[] = {
        {"Tue, 08 Dec 2026 23:30:00 +0200", "2026-12-08"},
        {"Tue, 08 Dec 2026 00:30:00 +0200", "2026-12-07"},
    };
    for (const auto& [stamp, day] : rows) {
        const FeedResult result =
            RateSource::parseFloatRates(bytes(primary(38.5, 1.08, 4.3, stamp)), now);
        ASSERT_TRUE(result.ok()) << stamp;
        EXPECT_EQ(result.info().rateDate, day) << stamp;
    }
}

TEST(FeedParse, FallbackChecks) {
    const std::pair<const char*, std::optional<FeedError>> cases[] = {
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":1.08}})", FeedError::cannotParseResponse},
        {R"({"date":"2026-12-07","rates":{"THB":0,"USD":1.08,"PLN":4.3}})",
         FeedError::cannotParseResponse},
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":-1,"PLN":4.3}})",
         FeedError::cannotParseResponse},
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":1.08,"PLN":4.3,"CHF":0.93}})",
         std::nullopt},
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":1.08,"PLN":1e400}})",
         FeedError::jsonError},
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":"1.08","PLN":4.3}})",
         FeedError::jsonError},
        {R"({"date":"2026-12-07","rates":{"THB":38,"USD":1.08,"PLN":4.3,"XXX":null}})",
         FeedError::jsonError},
        {R"({"rates":{"THB":38,"USD":1.08,"PLN":4.3}})", FeedError::jsonError},
        {R"({"date":20261207,"rates":{"THB":38,"USD":1.08,"PLN":4.3}})", FeedError::jsonError},
        {R"({"date":"2026-12-07","rates":[38,1.08,4.3]})", FeedError::jsonError},
        {R"({"date":"2026-12-07"})", FeedError::jsonError},
        {"<!doctype html><title>Error</title>", FeedError::jsonError},
    };
    for (const auto& [body, error] : cases) {
        const FeedResult result = RateSource::parseEcb(QByteArray(body), now);
        if (error) {
            EXPECT_FALSE(result.ok()) << body;
            if (!result.ok()) {
                EXPECT_EQ(result.error(), *error) << body;
            }
        } else {
            EXPECT_TRUE(result.ok()) << body;
        }
    }
}

TEST(FeedParse, FallbackDateIsCopiedUnchanged) {
    for (const char* date : {"2026-12-07", "gestern", "", "07.12.2026"}) {
        const QJsonObject doc{{"date", date},
                              {"rates", QJsonObject{{"THB", 38}, {"USD", 1.1}, {"PLN", 4.3}}}};
        const FeedResult result = RateSource::parseEcb(bytes(doc), now);
        ASSERT_TRUE(result.ok()) << date;
        EXPECT_EQ(result.info().rateDate, QString::fromUtf8(date));
    }
}

} // namespace
