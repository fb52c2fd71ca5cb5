// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rates/feed_config.h"
#include "rates/feed_result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QObject;

// The two rate feeds: the primary daily-rates document and the central bank's reference rates.
// Fetching is asynchronous on the Qt event loop; parsing is done by pure functions on the body.
namespace RateSource {

using Done = std::function<void(const FeedResult&)>;

// Path and query of each feed on its base URL, spelt with the keys and codes of the currency table.
QString primaryPath();
QString fallbackPath();
inline constexpr double maxQuoteAgeSeconds = 259200; // 72 hours

// Gives the access manager a cookie jar that keeps nothing; call once for each manager.
void prepare(QNetworkAccessManager& network);

// Each starts one GET and calls `done` once, on the event loop, unless `context` is gone by then.
void floatRates(QNetworkAccessManager& network, const FeedConfig& config, QObject* context,
                Done done);
void ecb(QNetworkAccessManager& network, const FeedConfig& config, QObject* context, Done done);

// Turn a reply body into a record; `now` is used for the age check and as the fetch time.
FeedResult parseFloatRates(const QByteArray& body, const QDateTime& now);
FeedResult parseEcb(const QByteArray& body, const QDateTime& now);

} // namespace RateSource
