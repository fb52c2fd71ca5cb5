// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/rate_store.h"
#include "support/feeds.h"
#include "support/qt_printers.h"
#include "support/sample_data.h"

#include <QElapsedTimer>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>

// Whole refreshes of the rate store against servers that misbehave, alone or both at once.
// Each must end, leave the store's state as a failed or fallen-back refresh should, and never
// hold up the event loop the panel runs on.

namespace {

using Mode = HttpTestServer::Mode;
using Reply = HttpTestServer::Reply;

Reply reply(int status, QByteArray body, Mode mode = Mode::normal,
            QList<QPair<QByteArray, QByteArray>> headers = {}) {
    Reply r;
    r.status = status;
    r.body = std::move(body);
    r.mode = mode;
    r.headers = std::move(headers);
    return r;
}

// A small body that inflates to 64 MiB: Qt asks for compressed replies by itself.
Reply deflateBomb() {
    const QByteArray zlib = qCompress(QByteArray(64 << 20, ' '), 9);
    return reply(200, zlib.mid(4), Mode::normal, {{"Content-Encoding", "deflate"}});
}

// The same as gzip: header, the raw deflate stream, and a trailer the client never reaches.
Reply gzipBomb() {
    const QByteArray zlib = qCompress(QByteArray(64 << 20, ' '), 9);
    const QByteArray raw = zlib.mid(4 + 2, zlib.size() - 4 - 2 - 4);
    return reply(
        200, QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + raw + QByteArray(8, '\0'),
        Mode::normal, {{"Content-Encoding", "gzip"}});
}

enum class Outcome { failedKeepsCache, fallbackRates, primaryRates };

struct FaultCase {
    const char* name;
    std::optional<Reply> primary;  // nothing: connection refused
    std::optional<Reply> fallback; // nothing: connection refused
    Outcome outcome;
};

// The longest time the event loop went without running a 5 ms timer while `until` was false.
template<typename Until> qint64 longestStall(Until until, int limitMs) {
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });
    ticker.start(5);
    (void)QTest::qWaitFor(until, limitMs);
    return std::max(longest, sinceTick.elapsed());
}

TEST(FeedFaults, EveryRefreshEndsAsTheStoreRequiresWithoutStallingTheLoop) {
    const QByteArray primaryGood = fixtureBody("floatrates_eur.json");
    Reply oneBytePerSecond = reply(200, primaryGood, Mode::trickle);
    oneBytePerSecond.trickleIntervalMs = 1000;
    const Reply html = reply(200, "<html><body><h1>503 Wartung</h1></body></html>", Mode::normal,
                             {{"Content-Type", "text/html"}});
    const Reply badUtf8 = reply(200, "{\"usd\":{\"rate\":1.08,\"date\":\"\xC3\x28\xFF\xFE\"}}");
    const Reply tenMiB = reply(200, QByteArray(10 << 20, '7'));
    const Reply loop = reply(302, {}, Mode::normal, {{"Location", primaryPath.toLatin1()}});
    const Reply loopFallback =
        reply(302, {}, Mode::normal, {{"Location", fallbackPath.toLatin1()}});

    const FaultCase cases[] = {
        {"both refused", std::nullopt, std::nullopt, Outcome::failedKeepsCache},
        {"primary never answers, fallback refused", reply(200, {}, Mode::neverAnswer), std::nullopt,
         Outcome::failedKeepsCache},
        {"primary one byte per second, fallback never answers", oneBytePerSecond,
         reply(200, {}, Mode::neverAnswer), Outcome::failedKeepsCache},
        {"primary cut off, fallback good", reply(200, primaryGood, Mode::cutOff),
         okReply("ecb_latest.json"), Outcome::fallbackRates},
        {"primary 10 MiB, fallback good", tenMiB, okReply("ecb_latest.json"),
         Outcome::fallbackRates},
        {"both 10 MiB", tenMiB, tenMiB, Outcome::failedKeepsCache},
        {"primary deflate bomb, fallback good", deflateBomb(), okReply("ecb_latest.json"),
         Outcome::fallbackRates},
        {"both deflate bombs", deflateBomb(), deflateBomb(), Outcome::failedKeepsCache},
        {"primary gzip bomb, fallback good", gzipBomb(), okReply("ecb_latest.json"),
         Outcome::fallbackRates},
        {"both gzip bombs", gzipBomb(), gzipBomb(), Outcome::failedKeepsCache},
        {"both HTML error pages with 200", html, html, Outcome::failedKeepsCache},
        {"both invalid UTF-8", badUtf8, badUtf8, Outcome::failedKeepsCache},
        {"both redirect loops", loop, loopFallback, Outcome::failedKeepsCache},
        {"both close at once", reply(200, {}, Mode::closeAtOnce), reply(200, {}, Mode::closeAtOnce),
         Outcome::failedKeepsCache},
        {"primary 503, fallback good", reply(503, primaryGood), okReply("ecb_latest.json"),
         Outcome::fallbackRates},
        {"primary good, fallback broken", okReply("floatrates_eur.json"), html,
         Outcome::primaryRates},
    };

    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer primaryServer;
        HttpTestServer fallbackServer;
        if (c.primary)
            primaryServer.setReply(primaryPath, *c.primary);
        if (c.fallback)
            fallbackServer.setReply(fallbackPath, *c.fallback);

        QTemporaryDir dir;
        const SettingsStore settings(dir.path() + QStringLiteral("/Velmora.conf"));
        settings.setCachedRates(olderRates().toJson());
        RateStore::Options options;
        options.feeds = testFeeds(c.primary ? primaryServer.baseUrl() : closedPortBase(),
                                  c.fallback ? fallbackServer.baseUrl() : closedPortBase());
        // Longer than the byte-a-second interval; Qt still ends such a reply at the transfer
        // time-out, since only body progress restarts it while this one trickles its header.
        options.feeds.transferTimeoutMs = 1500;
        options.feeds.overallTimeoutMs = 3000;
        options.settings = settings;

        QElapsedTimer clock;
        clock.start();
        RateStore store(options);
        const qint64 stall = longestStall([&store] { return !store.isLoading(); }, 12000);
        ASSERT_FALSE(store.isLoading()) << "the refresh never ended";
        EXPECT_LT(clock.elapsed(), 2 * options.feeds.overallTimeoutMs + 1000);
        EXPECT_LT(stall, 250) << "the event loop stood still for " << stall << " ms";
        std::printf("  %-55s ended after %5lld ms, longest stall %3lld ms\n", c.name,
                    static_cast<long long>(clock.elapsed()), static_cast<long long>(stall));

        if (c.primary && c.primary->headers.size() == 1 &&
            c.primary->headers[0].first == "Content-Encoding") {
            const QByteArray coding = c.primary->headers[0].second;
            const QByteArray request = primaryServer.lastRequest().toLower();
            const qsizetype accept = request.indexOf("accept-encoding:");
            EXPECT_TRUE(
                accept >= 0 &&
                request.mid(accept, request.indexOf("\r\n", accept) - accept).contains(coding))
                << "the client did not ask for " << coding.toStdString()
                << ", so the bomb proved nothing";
        }
        ASSERT_TRUE(store.info().has_value());
        switch (c.outcome) {
        case Outcome::failedKeepsCache:
            EXPECT_TRUE(store.hasFailed());
            EXPECT_EQ(*store.info(), olderRates());
            break;
        case Outcome::fallbackRates:
            EXPECT_FALSE(store.hasFailed());
            EXPECT_EQ(store.info()->source, "EZB");
            break;
        case Outcome::primaryRates:
            EXPECT_FALSE(store.hasFailed());
            EXPECT_EQ(store.info()->source, "FloatRates");
            EXPECT_EQ(fallbackServer.totalRequests(), 0);
            break;
        }
    }
}

TEST(FeedFaults, TlsRedirectToPlainHttpFallsBackWithoutTouchingTheHttpServer) {
    HttpTestServer plain;
    plain.setReply(primaryPath, okReply("floatrates_eur.json"));
    HttpTestServer secure(true);
    secure.setReply(primaryPath, reply(301, {}, Mode::normal,
                                       {{"Location", (plain.baseUrl() + primaryPath).toLatin1()}}));
    secure.setReply(fallbackPath, okReply("ecb_latest.json"));

    QTemporaryDir dir;
    RateStore::Options options;
    options.feeds = testFeeds(secure.baseUrl(), secure.baseUrl());
    options.feeds.extraCaCertificates =
        QSslCertificate::fromPath(HttpTestServer::fixturePath("localhost.crt"));
    options.settings = SettingsStore(dir.path() + QStringLiteral("/Velmora.conf"));
    RateStore store(options);
    ASSERT_TRUE(QTest::qWaitFor([&store] { return !store.isLoading(); }, 8000));
    ASSERT_TRUE(store.info().has_value());
    EXPECT_EQ(store.info()->source, "EZB");
    EXPECT_FALSE(store.hasFailed());
    EXPECT_EQ(plain.totalRequests(), 0);
}

TEST(FeedFaults, FailingInTurnRecoversAndFailsAgainKeepingTheLastGoodRates) {
    HttpTestServer primary;
    HttpTestServer fallback;
    QTemporaryDir dir;
    RateStore::Options options;
    options.feeds = testFeeds(primary.baseUrl(), fallback.baseUrl());
    options.settings = SettingsStore(dir.path() + QStringLiteral("/Velmora.conf"));
    auto refreshWith = [&](std::optional<Reply> p, std::optional<Reply> f, RateStore& store) {
        primary.setReply(primaryPath, p ? *p : reply(500, {}));
        fallback.setReply(fallbackPath, f ? *f : reply(500, {}));
        store.refresh();
        return QTest::qWaitFor([&store] { return !store.isLoading(); }, 8000);
    };

    primary.setReply(primaryPath, reply(500, {}));
    fallback.setReply(fallbackPath, reply(500, {}));
    RateStore store(options);
    ASSERT_TRUE(QTest::qWaitFor([&store] { return !store.isLoading(); }, 8000));
    EXPECT_TRUE(store.hasFailed());
    EXPECT_FALSE(store.info().has_value());

    ASSERT_TRUE(refreshWith(std::nullopt, okReply("ecb_latest.json"), store));
    EXPECT_FALSE(store.hasFailed());
    ASSERT_TRUE(store.info().has_value());
    EXPECT_EQ(store.info()->source, "EZB");

    ASSERT_TRUE(refreshWith(okReply("floatrates_eur.json"), std::nullopt, store));
    EXPECT_FALSE(store.hasFailed());
    ASSERT_TRUE(store.info().has_value());
    const RateInfo good = *store.info();
    EXPECT_EQ(good.source, "FloatRates");

    ASSERT_TRUE(refreshWith(std::nullopt, std::nullopt, store));
    EXPECT_TRUE(store.hasFailed());
    EXPECT_EQ(store.info(), good);
    RateStore reread(options);
    EXPECT_EQ(reread.info(), good) << "the last good rates were not cached";
}

} // namespace
