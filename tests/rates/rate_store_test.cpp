// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/rate_store.h"
#include "support/feeds.h"
#include "support/qt_printers.h"
#include "support/sample_data.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class RateStoreTest : public testing::Test {
protected:
    RateStore::Options options(const QString& primary, const QString& fallback) const {
        RateStore::Options o;
        o.feeds = testFeeds(primary, fallback);
        o.settings = settings();
        return o;
    }
    SettingsStore settings() const { return SettingsStore(m_dir.path() + "/Velmora/Velmora.conf"); }

    void writeCache(const QVariant& value) const {
        writeRawSetting(settings(), SettingsStore::cachedRatesKey, value);
    }
    std::optional<RateInfo> readCache() const {
        return RateInfo::fromJson(settings().cachedRates().value_or(QByteArray()));
    }
    static bool waitIdle(RateStore& store) {
        return QTest::qWaitFor([&store] { return !store.isLoading(); }, 8000);
    }

    QTemporaryDir m_dir;
    HttpTestServer m_server;
};

TEST_F(RateStoreTest, CachedRatesAtOnceThenFailureKeepsThem) {
    writeCache(olderRates().toJson());
    RateStore store(options(closedPortBase(), closedPortBase()));
    EXPECT_EQ(store.info(), olderRates());
    EXPECT_TRUE(store.isLoading());
    EXPECT_FALSE(store.hasFailed());

    ASSERT_TRUE(waitIdle(store));
    EXPECT_TRUE(store.hasFailed());
    EXPECT_EQ(store.info(), olderRates());
    EXPECT_EQ(readCache(), olderRates());
}

TEST_F(RateStoreTest, DamagedCacheIsIgnoredSilently) {
    QByteArray noDate = olderRates().toJson();
    noDate.replace("rateDate", "rateDay");
    const QVariant damaged[] = {
        QByteArray("{not json"),
        noDate,
        QByteArray(),
        QByteArray("\x00\xff\x13", 3),
        QVariant(QString::fromLatin1(olderRates().toJson())), // a string, not bytes
        QVariant(42),
        QVariant(QStringList{"a", "b"}),
    };
    for (const QVariant& value : damaged) {
        writeCache(value);
        RateStore store(options(closedPortBase(), closedPortBase()));
        EXPECT_FALSE(store.info().has_value()) << value.toString().toStdString();
        EXPECT_TRUE(store.isLoading());
        EXPECT_FALSE(store.hasFailed());
        ASSERT_TRUE(waitIdle(store));
        EXPECT_TRUE(store.hasFailed());
        EXPECT_FALSE(store.info().has_value());
    }
}

TEST_F(RateStoreTest, PrimarySuccessSkipsTheFallbackAndIsCached) {
    m_server.setReply(primaryPath, okReply("floatrates_eur.json"));
    m_server.setReply(fallbackPath, okReply("ecb_latest.json"));
    RateStore store(options(m_server.baseUrl(), m_server.baseUrl()));
    QSignalSpy infoSpy(&store, &RateStore::infoChanged);
    QSignalSpy loadingSpy(&store, &RateStore::isLoadingChanged);
    QSignalSpy failedSpy(&store, &RateStore::hasFailedChanged);
    ASSERT_TRUE(waitIdle(store));

    ASSERT_TRUE(store.info().has_value());
    EXPECT_EQ(store.info()->source, "FloatRates");
    EXPECT_FALSE(store.hasFailed());
    EXPECT_EQ(m_server.requestCount(primaryPath), 1);
    EXPECT_EQ(m_server.requestCount(fallbackPath), 0);
    EXPECT_EQ(readCache(), store.info());
    // Every assignment is announced, also the unchanged hasFailed.
    EXPECT_EQ(infoSpy.count(), 1);
    EXPECT_EQ(failedSpy.count(), 1);
    EXPECT_EQ(loadingSpy.count(), 1);
}

TEST_F(RateStoreTest, FallbackAfterThePrimaryFailed) {
    HttpTestServer::Reply broken;
    broken.status = 503;
    m_server.setReply(primaryPath, broken);
    m_server.setReply(fallbackPath, okReply("ecb_latest.json"));
    RateStore store(options(m_server.baseUrl(), m_server.baseUrl()));
    ASSERT_TRUE(waitIdle(store));

    ASSERT_TRUE(store.info().has_value());
    EXPECT_EQ(store.info()->source, "EZB");
    EXPECT_FALSE(store.hasFailed());
    EXPECT_EQ(m_server.requestCount(primaryPath), 1);
    EXPECT_EQ(m_server.requestCount(fallbackPath), 1);
    EXPECT_EQ(readCache()->source, "EZB");
}

TEST_F(RateStoreTest, RequestsDuringARefreshAreDropped) {
    m_server.setReply(primaryPath, okReply("floatrates_eur.json"));
    RateStore store(options(m_server.baseUrl(), m_server.baseUrl()));
    store.refresh();
    store.refresh();
    store.refresh();
    ASSERT_TRUE(waitIdle(store));
    QTest::qWait(100);
    EXPECT_EQ(m_server.requestCount(primaryPath), 1);
    EXPECT_EQ(m_server.totalRequests(), 1);
}

TEST_F(RateStoreTest, RecoversAfterAFailedRefresh) {
    RateStore store(options(m_server.baseUrl(), m_server.baseUrl())); // both paths answer 404
    ASSERT_TRUE(waitIdle(store));
    EXPECT_TRUE(store.hasFailed());
    EXPECT_FALSE(store.info().has_value());

    m_server.setReply(fallbackPath, okReply("ecb_latest.json"));
    store.refresh();
    EXPECT_TRUE(store.isLoading());
    EXPECT_TRUE(store.hasFailed()); // kept while loading
    ASSERT_TRUE(waitIdle(store));
    EXPECT_FALSE(store.hasFailed());
    ASSERT_TRUE(store.info().has_value());
    EXPECT_EQ(store.info()->rateDate, "2026-12-07");
}

TEST_F(RateStoreTest, ASecondStoreReadsWhatTheFirstCached) {
    m_server.setReply(primaryPath, okReply("floatrates_eur.json"));
    std::optional<RateInfo> fetched;
    {
        RateStore first(options(m_server.baseUrl(), m_server.baseUrl()));
        ASSERT_TRUE(waitIdle(first));
        fetched = first.info();
    }
    ASSERT_TRUE(fetched.has_value());
    RateStore second(options(closedPortBase(), closedPortBase()));
    EXPECT_EQ(second.info(), fetched);
}

// A cookie would be a handle to tell this user's refreshes apart: none may go back. Nor does the
// user's locale go out as Accept-Language.
TEST_F(RateStoreTest, RequestsCarryNoCookieAndNoLocale) {
    HttpTestServer::Reply withCookie = okReply("floatrates_eur.json");
    withCookie.status = 500; // so that the fallback is asked too
    withCookie.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("visitor=4711; Path=/; Max-Age=86400")));
    HttpTestServer::Reply fallback = okReply("ecb_latest.json");
    fallback.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc; Path=/")));
    m_server.setReply(primaryPath, withCookie);
    m_server.setReply(fallbackPath, fallback);
    RateStore store(options(m_server.baseUrl(), m_server.baseUrl()));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(waitIdle(store));
        store.refresh();
    }
    ASSERT_TRUE(waitIdle(store));
    ASSERT_EQ(m_server.requests().size(), 8);
    for (const QByteArray& request : m_server.requests()) {
        const QByteArray head = request.toLower();
        EXPECT_FALSE(head.contains("\r\ncookie:")) << request.toStdString();
        EXPECT_TRUE(head.contains("\r\naccept-language: *\r\n")) << request.toStdString();
    }
}

TEST_F(RateStoreTest, TimerRefreshesAndDiesWithTheStore) {
    m_server.setReply(primaryPath, okReply("floatrates_eur.json"));
    auto opts = options(m_server.baseUrl(), m_server.baseUrl());
    opts.refreshIntervalMs = 150;
    auto store = std::make_unique<RateStore>(opts);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_server.requestCount(primaryPath) >= 3; }, 5000));

    QPointer<RateStore> watch(store.get());
    store.reset();
    EXPECT_TRUE(watch.isNull());
    const int seen = m_server.requestCount(primaryPath);
    QTest::qWait(600);
    EXPECT_EQ(m_server.requestCount(primaryPath), seen);
}

TEST_F(RateStoreTest, DeletingTheStoreMidRefreshIsHarmless) {
    HttpTestServer::Reply silent;
    silent.mode = HttpTestServer::Mode::neverAnswer;
    m_server.setReply(primaryPath, silent);
    {
        RateStore store(options(m_server.baseUrl(), m_server.baseUrl()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requestCount(primaryPath) == 1; }, 3000));
    }
    QTest::qWait(700); // past the transfer time-out of the abandoned request
    EXPECT_EQ(m_server.requestCount(fallbackPath), 0);
    EXPECT_FALSE(readCache().has_value());
}

} // namespace
