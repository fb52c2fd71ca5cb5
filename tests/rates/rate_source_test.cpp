// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/categories.h"
#include "rates/rate_source.h"
#include "support/feeds.h"
#include "support/qt_printers.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Mode = HttpTestServer::Mode;

// The velmora.rates debug lines written while it lives, with that output switched on for the time;
// everything else goes on to the handler before it.
class RatesDebug final {
public:
    RatesDebug() {
        s_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("velmora.rates.debug=true"));
        s_previous = qInstallMessageHandler(&collect);
    }
    ~RatesDebug() {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    RatesDebug(const RatesDebug&) = delete;
    RatesDebug& operator=(const RatesDebug&) = delete;

    QString all() const { return s_lines.join(QLatin1Char('\n')); }

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtDebugMsg && qstrcmp(context.category, "velmora.rates") == 0)
            s_lines.append(text);
        else if (s_previous)
            s_previous(type, context, text);
    }

    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

// Runs one feed call to its end on the event loop and hands back what it produced.
std::optional<FeedResult> run(bool primary, const FeedConfig& config, int waitMs = 5000) {
    QNetworkAccessManager network;
    QObject context;
    std::optional<FeedResult> result;
    auto done = [&result](const FeedResult& r) { result = r; };
    if (primary)
        RateSource::floatRates(network, config, &context, done);
    else
        RateSource::ecb(network, config, &context, done);
    (void)QTest::qWaitFor([&] { return result.has_value(); }, waitMs);
    return result;
}

TEST(RateSource, FetchesBothFeedsFromTheirPaths) {
    HttpTestServer server;
    server.setReply(primaryPath, okReply("floatrates_eur.json"));
    server.setReply(fallbackPath, okReply("ecb_latest.json"));
    const FeedConfig config = testFeeds(server.baseUrl(), server.baseUrl());

    const auto primary = run(true, config);
    ASSERT_TRUE(primary && primary->ok()) << (primary ? primary->detail().toStdString() : "");
    EXPECT_EQ(primary->info().source, "FloatRates");
    EXPECT_EQ(server.requestCount(primaryPath), 1);
    EXPECT_TRUE(server.lastRequest().startsWith("GET /daily/eur.json HTTP/1.1"));

    const auto fallback = run(false, config);
    ASSERT_TRUE(fallback && fallback->ok());
    EXPECT_EQ(fallback->info().source, "EZB");
    EXPECT_EQ(server.requestCount(fallbackPath), 1);
    EXPECT_TRUE(
        server.lastRequest().startsWith("GET /v1/latest?base=EUR&symbols=THB,USD,PLN HTTP/1.1"));
}

struct FaultCase {
    const char* name;
    HttpTestServer::Reply reply;
    FeedError expected;
    const char* said; // the cause the debug output names
};

TEST(RateSource, EveryFaultEndsInItsFailureKind) {
    auto reply = [](int status, QByteArray body, Mode mode = Mode::normal,
                    QList<QPair<QByteArray, QByteArray>> headers = {}) {
        HttpTestServer::Reply r;
        r.status = status;
        r.body = std::move(body);
        r.mode = mode;
        r.headers = std::move(headers);
        return r;
    };
    const QByteArray good = fixtureBody("floatrates_eur.json");
    HttpTestServer::Reply trickle = reply(200, good, Mode::trickle);
    trickle.trickleIntervalMs = 100; // each byte within the transfer time-out, never finishing

    const char* timeOut = "Zeit\u00FCberschreitung";
    const char* network = "Netzwerkfehler";
    const FaultCase cases[] = {
        {"status 500", reply(500, good), FeedError::badServerResponse, "HTTP-Status"},
        {"status 304", reply(304, {}), FeedError::badServerResponse, "HTTP-Status"},
        {"status 404", reply(404, "not here"), FeedError::badServerResponse, "HTTP-Status"},
        {"status 201", reply(201, good), FeedError::badServerResponse, "HTTP-Status"},
        {"HTML page with 200", reply(200, "<html><body>Wartung</body></html>"),
         FeedError::jsonError, "unlesbare Antwort"},
        {"stale quote", reply(200, QByteArray(good).replace("2026", "2025")),
         FeedError::cannotParseResponse, "unlesbare Antwort"},
        {"never answers", reply(200, good, Mode::neverAnswer), FeedError::transport, timeOut},
        {"closes at once", reply(200, good, Mode::closeAtOnce), FeedError::transport, network},
        {"body cut off", reply(200, good, Mode::cutOff), FeedError::transport, network},
        {"trickles for ever", trickle, FeedError::transport, timeOut},
        {"body over 1 MiB", reply(200, QByteArray((1 << 20) + 1, ' ')),
         FeedError::badServerResponse, "Gr\u00F6\u00DFengrenze"},
        {"redirect loop", reply(302, {}, Mode::normal, {{"Location", "/daily/eur.json"}}),
         FeedError::transport, network},
    };
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        EXPECT_FALSE(velmoraRates().isDebugEnabled()) << "debug output must be off by default";
    }
    for (const FaultCase& c : cases) {
        HttpTestServer server;
        server.setReply(primaryPath, c.reply);
        QElapsedTimer clock;
        clock.start();
        const RatesDebug debug;
        const auto result = run(true, testFeeds(server.baseUrl(), server.baseUrl()));
        ASSERT_TRUE(result.has_value()) << c.name << ": the request never ended";
        EXPECT_FALSE(result->ok()) << c.name;
        if (!result->ok()) {
            EXPECT_EQ(int(result->error()), int(c.expected))
                << c.name << ": " << result->detail().toStdString();
            // One line naming the feed, the cause and the detail.
            EXPECT_EQ(debug.all(), server.baseUrl() + primaryPath + " gab keine Kurse: " +
                                       QString::fromUtf8(c.said) + " \u2013 " + result->detail())
                << c.name;
        }
        EXPECT_LT(clock.elapsed(), 4000) << c.name;
    }
}

TEST(RateSource, RefusedConnectionIsATransportFailure) {
    const RatesDebug debug;
    const auto result = run(true, testFeeds(closedPortBase(), closedPortBase()));
    ASSERT_TRUE(result.has_value());
    ASSERT_FALSE(result->ok());
    EXPECT_EQ(result->error(), FeedError::transport);
    EXPECT_TRUE(debug.all().contains(": Netzwerkfehler \u2013 ")) << debug.all().toStdString();
}

TEST(RateSource, LargeBodyWithoutLengthIsRefusedWhileArriving) {
    // A chunked reply says nothing of its size up front; the limit still applies.
    HttpTestServer server;
    HttpTestServer::Reply reply;
    QByteArray chunked;
    const QByteArray chunk(64 * 1024, 'x');
    for (int i = 0; i < 20; ++i)
        chunked += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
    chunked += "0\r\n\r\n";
    reply.body = chunked;
    reply.headers = {{"Transfer-Encoding", "chunked"}};
    reply.sendContentLength = false;
    server.setReply(primaryPath, reply);
    const auto result = run(true, testFeeds(server.baseUrl(), server.baseUrl()));
    ASSERT_TRUE(result.has_value());
    ASSERT_FALSE(result->ok());
    EXPECT_EQ(result->error(), FeedError::badServerResponse);
}

TEST(RateSource, UntrustedCertificateIsAFailure) {
    HttpTestServer server(true);
    server.setReply(primaryPath, okReply("floatrates_eur.json"));
    const RatesDebug debug;
    const auto result = run(true, testFeeds(server.baseUrl(), server.baseUrl()));
    ASSERT_TRUE(result.has_value());
    ASSERT_FALSE(result->ok());
    EXPECT_EQ(result->error(), FeedError::transport);
    EXPECT_TRUE(debug.all().contains(": TLS-Fehler \u2013 ")) << debug.all().toStdString();
}

TEST(RateSource, TrustedTlsWorksButRedirectToPlainHttpIsRefused) {
    HttpTestServer plain;
    plain.setReply(primaryPath, okReply("floatrates_eur.json"));
    HttpTestServer secure(true);
    FeedConfig config = testFeeds(secure.baseUrl(), secure.baseUrl());
    config.extraCaCertificates =
        QSslCertificate::fromPath(HttpTestServer::fixturePath("localhost.crt"));
    ASSERT_EQ(config.extraCaCertificates.size(), 1);

    secure.setReply(primaryPath, okReply("floatrates_eur.json"));
    const auto direct = run(true, config);
    ASSERT_TRUE(direct.has_value());
    EXPECT_TRUE(direct->ok()) << direct->detail().toStdString();

    HttpTestServer::Reply redirect;
    redirect.status = 301;
    redirect.headers = {{"Location", (plain.baseUrl() + primaryPath).toLatin1()}};
    secure.setReply(primaryPath, redirect);
    const auto redirected = run(true, config);
    ASSERT_TRUE(redirected.has_value());
    ASSERT_FALSE(redirected->ok());
    EXPECT_EQ(redirected->error(), FeedError::transport);
    EXPECT_EQ(plain.totalRequests(), 0);
}

TEST(RateSource, NoCallbackOnceTheContextIsGone) {
    HttpTestServer server;
    HttpTestServer::Reply slow = okReply("floatrates_eur.json");
    slow.mode = Mode::trickle;
    slow.trickleIntervalMs = 1;
    server.setReply(primaryPath, slow);
    QNetworkAccessManager network;
    bool called = false;
    {
        QObject context;
        RateSource::floatRates(network, testFeeds(server.baseUrl(), server.baseUrl()), &context,
                               [&called](const FeedResult&) { called = true; });
        QTest::qWait(20);
    }
    QTest::qWait(1000);
    EXPECT_GE(server.requestCount(primaryPath), 1);
    EXPECT_FALSE(called);
}

} // namespace
