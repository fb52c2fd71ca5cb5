#include "rates/rate_source.h"

#include "rates/quote_time.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <charconv>
#include <cmath>
#include <memory>

namespace {

// Fetches one URL. The reply's body is collected as it arrives so that an oversized reply is
// refused before it is held whole; the overall deadline covers servers that trickle bytes.
void get(QNetworkAccessManager& network, const QString& url, const FeedConfig& config,
         QObject* context, std::function<void(const QByteArray&, std::optional<FeedFailure>)> done) {
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(config.transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    // Compressed replies are unpacked by Qt; the limit below counts the unpacked bytes, and this
    // threshold keeps Qt's own check from letting a small packed bomb expand unchecked.
    request.setDecompressedSafetyCheckThreshold(config.maxBodyBytes);
    if (!config.extraCaCertificates.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(config.extraCaCertificates);
        request.setSslConfiguration(ssl);
    }

    QNetworkReply* reply = network.get(request);
    struct State {
        QByteArray body;
        std::optional<FeedFailure> ownFailure;
    };
    auto state = std::make_shared<State>();
    const qint64 limit = config.maxBodyBytes;

    auto abortWith = [reply, state](FeedError kind, const QString& detail) {
        if (!state->ownFailure)
            state->ownFailure = FeedFailure{kind, detail};
        reply->abort();
    };

    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, abortWith] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limit)
            abortWith(FeedError::badServerResponse, QStringLiteral("reply too large"));
    });
    QObject::connect(reply, &QIODevice::readyRead, reply, [reply, state, limit, abortWith] {
        if (state->ownFailure)
            return;
        const QByteArray chunk = reply->readAll();
        if (state->body.size() + chunk.size() > limit) {
            state->body.clear();
            abortWith(FeedError::badServerResponse, QStringLiteral("reply too large"));
            return;
        }
        state->body += chunk;
    });

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [abortWith] {
        abortWith(FeedError::transport, QStringLiteral("overall time limit reached"));
    });
    deadline->start(config.overallTimeoutMs);

    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, state, limit, done = std::move(done)] {
        reply->deleteLater();
        if (state->ownFailure)
            return done({}, state->ownFailure);

        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const QNetworkReply::NetworkError error = reply->error();
        // Connection, TLS, time-out, proxy and redirect errors (codes below 200) are transport
        // failures even when a redirect reply carried a status; content and server errors
        // are judged by the status below.
        const bool transportError = error != QNetworkReply::NoError && error < 200;
        if (transportError || (error != QNetworkReply::NoError && status.toInt() == 200))
            return done({}, FeedFailure{FeedError::transport, reply->errorString()});
        if (!status.isValid() || status.toInt() != 200) {
            return done({}, FeedFailure{FeedError::badServerResponse,
                                        QStringLiteral("HTTP status %1").arg(status.toInt())});
        }
        const QByteArray rest = reply->readAll();
        if (state->body.size() + rest.size() > limit)
            return done({}, FeedFailure{FeedError::badServerResponse, QStringLiteral("reply too large")});
        done(state->body + rest, std::nullopt);
    });
}

void fetch(QNetworkAccessManager& network, const FeedConfig& config, QObject* context,
           const QString& url, RateSource::Done done,
           FeedResult (*parse)(const QByteArray&, const QDateTime&)) {
    auto clock = config.clock;
    get(network, url, config, context,
        [clock, parse, done = std::move(done)](const QByteArray& body,
                                               std::optional<FeedFailure> failure) {
            if (failure)
                return done(FeedResult(*failure));
            done(parse(body, clock()));
        });
}

std::optional<QJsonObject> parseObject(const QByteArray& body, QString* error) {
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return std::nullopt;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("top level is not an object");
        return std::nullopt;
    }
    return doc.object();
}

// A rate may come as a JSON number or as a string holding one in C notation.
std::optional<double> readRate(const QJsonValue& value) {
    if (value.isDouble())
        return value.toDouble();
    if (!value.isString())
        return std::nullopt;
    QByteArray text = value.toString().toLatin1();
    if (text.startsWith('+'))
        text.remove(0, 1);
    double rate = 0;
    const char* first = text.constData();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, rate);
    if (ec != std::errc() || end != last || text.isEmpty())
        return std::nullopt;
    return rate;
}

struct Entry {
    double rate;
    QString date;
};

// One currency of the primary document. A malformed entry only counts as missing, so that a
// broken currency the program does not use never spoils the whole document.
std::optional<Entry> readEntry(const QJsonObject& document, const char* key) {
    const QJsonValue value = document.value(QLatin1String(key));
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue date = object.value(QLatin1String("date"));
    if (!date.isString())
        return std::nullopt;
    const auto rate = readRate(object.value(QLatin1String("rate")));
    if (!rate)
        return std::nullopt;
    return Entry{*rate, date.toString()};
}

// Strictly above the threshold, and finite: an infinite rate would pass the comparison but
// poison every conversion and could not be cached.
bool passes(double rate, double threshold) { return std::isfinite(rate) && rate > threshold; }

FeedResult cannotParse(const QString& why) {
    return FeedResult::fail(FeedError::cannotParseResponse, why);
}

} // namespace

namespace RateSource {

void floatRates(QNetworkAccessManager& network, const FeedConfig& config, QObject* context,
                Done done) {
    fetch(network, config, context, config.primaryBase + QLatin1String(primaryPath),
          std::move(done), &parseFloatRates);
}

void ecb(QNetworkAccessManager& network, const FeedConfig& config, QObject* context, Done done) {
    fetch(network, config, context, config.fallbackBase + QLatin1String(fallbackPath),
          std::move(done), &parseEcb);
}

FeedResult parseFloatRates(const QByteArray& body, const QDateTime& now) {
    QString jsonError;
    const auto document = parseObject(body, &jsonError);
    if (!document)
        return FeedResult::fail(FeedError::jsonError, jsonError);

    const auto thb = readEntry(*document, "thb");
    const auto usd = readEntry(*document, "usd");
    const auto pln = readEntry(*document, "pln");
    if (!thb || !usd || !pln)
        return cannotParse(QStringLiteral("thb, usd or pln missing or unreadable"));
    if (!passes(thb->rate, 1.0) || !passes(usd->rate, 0.1) || !passes(pln->rate, 0.1))
        return cannotParse(QStringLiteral("rate out of range"));

    const auto quoted = QuoteTime::parse(thb->date);
    if (!quoted)
        return cannotParse(QStringLiteral("quote time unreadable: ") + thb->date);
    const double age = double(quoted->msecsTo(now)) / 1000.0;
    if (!(age < maxQuoteAgeSeconds))
        return cannotParse(QStringLiteral("quote older than 72 hours"));

    RateInfo info;
    info.perEur = {{QStringLiteral("THB"), thb->rate},
                   {QStringLiteral("USD"), usd->rate},
                   {QStringLiteral("PLN"), pln->rate}};
    info.rateDate = quoted->toUTC().date().toString(QStringLiteral("yyyy-MM-dd"));
    info.fetchedAt = Timestamps::fromDateTime(now);
    info.source = QStringLiteral("FloatRates");
    info.quotedAt = Timestamps::fromDateTime(*quoted);
    return info;
}

FeedResult parseEcb(const QByteArray& body, const QDateTime& now) {
    QString jsonError;
    const auto document = parseObject(body, &jsonError);
    if (!document)
        return FeedResult::fail(FeedError::jsonError, jsonError);
    const QJsonValue date = document->value(QLatin1String("date"));
    const QJsonValue rates = document->value(QLatin1String("rates"));
    if (!date.isString() || !rates.isObject())
        return FeedResult::fail(FeedError::jsonError, QStringLiteral("date or rates missing"));
    const QJsonObject rateObject = rates.toObject();
    for (auto it = rateObject.constBegin(); it != rateObject.constEnd(); ++it) {
        if (!it.value().isDouble())
            return FeedResult::fail(FeedError::jsonError, QStringLiteral("rate is not a number"));
    }

    RateInfo info;
    for (const char* code : {"THB", "USD", "PLN"}) {
        const QJsonValue rate = rateObject.value(QLatin1String(code));
        if (!rate.isDouble() || !passes(rate.toDouble(), 0.0))
            return cannotParse(QStringLiteral("%1 missing or not above zero").arg(QLatin1String(code)));
        info.perEur.insert(QLatin1String(code), rate.toDouble());
    }
    info.rateDate = date.toString();
    info.fetchedAt = Timestamps::fromDateTime(now);
    info.source = QStringLiteral("EZB");
    return info;
}

} // namespace RateSource
