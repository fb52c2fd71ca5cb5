#pragma once

#include "rates/feed_config.h"
#include "rates/rate_source.h"
#include "support/closed_port.h"
#include "support/http_test_server.h"

#include <QFile>

// Feeds of a test point at local servers, with a fixed clock an hour after the fixture's quote
// and time-outs short enough for a test to wait them out.
inline FeedConfig testFeeds(const QString& primaryBase, const QString& fallbackBase) {
    FeedConfig config;
    config.primaryBase = primaryBase;
    config.fallbackBase = fallbackBase;
    config.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(1, 0, 1), Qt::UTC); };
    config.transferTimeoutMs = 500;
    config.overallTimeoutMs = 1500;
    return config;
}

inline QByteArray fixtureBody(const QString& name) {
    QFile file(HttpTestServer::fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline HttpTestServer::Reply okReply(const QString& fixture) {
    HttpTestServer::Reply reply;
    reply.body = fixtureBody(fixture);
    reply.headers = {{"Content-Type", "application/json"}};
    return reply;
}

inline QString refusingBase() { return closedPortBase(); }

// A record as an earlier run would have cached it, older than anything the fixtures give.
inline RateInfo cachedRecord() {
    RateInfo info;
    info.perEur = {{"USD", 1.1}, {"THB", 37.0}, {"PLN", 4.4}};
    info.rateDate = "2026-12-01";
    info.fetchedAt = 786000000;
    info.source = QStringLiteral("FloatRates");
    return info;
}
