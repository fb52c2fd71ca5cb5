// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rates/feed_config.h"
#include "rates/rate_source.h"
#include "support/http_test_server.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimeZone>

inline const QString primaryPath = RateSource::primaryPath();
inline const QString fallbackPath = RateSource::fallbackPath();

// A base URL on 127.0.0.1 where nothing listens: a port that was free an instant ago, so a
// request there is refused at once.
inline QString closedPortBase() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
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

// Feeds of a test point at local servers, with a fixed clock an hour after the fixture's quote
// and time-outs short enough for a test to wait them out.
inline FeedConfig testFeeds(const QString& primaryBase, const QString& fallbackBase) {
    FeedConfig config;
    config.primaryBase = primaryBase;
    config.fallbackBase = fallbackBase;
    config.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(1, 0, 1), QTimeZone::utc()); };
    config.transferTimeoutMs = 500;
    config.overallTimeoutMs = 1500;
    return config;
}
