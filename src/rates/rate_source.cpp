// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/rate_source.h"

#include "log/categories.h"
#include "model/currency.h"
#include "rates/quote_time.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <charconv>
#include <cmath>
#include <memory>

namespace {

QNetworkRequest feedRequest(const QString& url, const FeedConfig& config) {
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(config.transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    // A cookie would let a feed tell one refresh of this user from another's: none is sent,
    // none kept. Qt would send the user's locale as Accept-Language; any language will do.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept-Language", "*");
    // Compressed replies are unpacked by Qt; the body limit counts the unpacked bytes, and this
    // threshold keeps Qt's own check from letting a small packed bomb expand unchecked.
    request.setDecompressedSafetyCheckThreshold(config.maxBodyBytes);
    if (!config.extraCaCertificates.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(config.extraCaCertificates);
        request.setSslConfiguration(ssl);
    }
    return request;
}

// Why a fetch failed, as the debug output names it: finer than the kind, which is all the store
// needs.
enum class Cause { timeOut, httpStatus, tls, network, sizeLimit, parse };

QString causeName(Cause cause) {
    switch (cause) {
    case Cause::timeOut:
        return QStringLiteral("Zeit\u00FCberschreitung");
    case Cause::httpStatus:
        return QStringLiteral("HTTP-Status");
    case Cause::tls:
        return QStringLiteral("TLS-Fehler");
    case Cause::network:
        return QStringLiteral("Netzwerkfehler");
    case Cause::sizeLimit:
        return QStringLiteral("Gr\u00F6\u00DFengrenze");
    case Cause::parse:
        return QStringLiteral("unlesbare Antwort");
    }
    return {};
}

struct Fault {
    Cause cause;
    FeedFailure failure;
};

// Qt cancels a reply by itself only when the transfer time-out expires; the aborts of our own
// carry their cause already.
Cause transportCause(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return Cause::timeOut;
    case QNetworkReply::SslHandshakeFailedError:
        return Cause::tls;
    default:
        return Cause::network;
    }
}

// What one request has gathered so far: the body, and the reason it was stopped, if it was.
struct Transfer {
    QNetworkReply* reply;
    qint64 limit;
    QByteArray body;
    std::optional<Fault> ownFault;

    void abortWith(Cause cause, FeedError kind, const QString& detail) {
        if (!ownFault)
            ownFault = Fault{cause, {kind, detail}};
        reply->abort();
    }
};

// The body is collected as it arrives, so that an oversized reply is refused before it is held
// whole; the overall deadline covers servers that trickle bytes.
void guard(const std::shared_ptr<Transfer>& transfer, int overallTimeoutMs) {
    QNetworkReply* reply = transfer->reply;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [transfer] {
        const QVariant length = transfer->reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > transfer->limit)
            transfer->abortWith(Cause::sizeLimit, FeedError::badServerResponse,
                                QStringLiteral("reply too large"));
    });
    QObject::connect(reply, &QIODevice::readyRead, reply, [transfer] {
        if (transfer->ownFault)
            return;
        const QByteArray chunk = transfer->reply->readAll();
        if (transfer->body.size() + chunk.size() > transfer->limit) {
            transfer->body.clear();
            transfer->abortWith(Cause::sizeLimit, FeedError::badServerResponse,
                                QStringLiteral("reply too large"));
            return;
        }
        transfer->body += chunk;
    });

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [transfer] {
        transfer->abortWith(Cause::timeOut, FeedError::transport,
                            QStringLiteral("overall time limit reached"));
    });
    deadline->start(overallTimeoutMs);
}

// The finished reply's verdict: its whole body, or why there is none.
std::optional<Fault> verdict(Transfer& transfer) {
    if (transfer.ownFault)
        return transfer.ownFault;
    QNetworkReply* reply = transfer.reply;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    // Connection, TLS, time-out, proxy and redirect errors (codes below 200) are transport
    // failures even when a redirect reply carried a status; content and server errors are
    // judged by the status below.
    const bool transportError = error != QNetworkReply::NoError && error < 200;
    if (transportError || (error != QNetworkReply::NoError && status.toInt() == 200))
        return Fault{transportCause(error), {FeedError::transport, reply->errorString()}};
    if (!status.isValid() || status.toInt() != 200) {
        return Fault{
            Cause::httpStatus,
            {FeedError::badServerResponse, QStringLiteral("HTTP status %1").arg(status.toInt())}};
    }
    const QByteArray rest = reply->readAll();
    if (transfer.body.size() + rest.size() > transfer.limit)
        return Fault{Cause::sizeLimit,
                     {FeedError::badServerResponse, QStringLiteral("reply too large")}};
    transfer.body += rest;
    return std::nullopt;
}

// Fetches one URL and calls `done` with the body or the failure, unless `context` is gone.
void get(QNetworkAccessManager& network, const QString& url, const FeedConfig& config,
         QObject* context, std::function<void(const QByteArray&, std::optional<Fault>)> done) {
    QNetworkReply* reply = network.get(feedRequest(url, config));
    // Without a bound Qt's network thread reads on into memory while the body waits to be
    // collected; with it, a reply that never ends is held back in the socket.
    reply->setReadBufferSize(config.readBufferBytes);
    auto transfer = std::make_shared<Transfer>(Transfer{reply, config.maxBodyBytes, {}, {}});
    guard(transfer, config.overallTimeoutMs);
    QObject::connect(reply, &QNetworkReply::finished, context, [transfer, done = std::move(done)] {
        transfer->reply->deleteLater();
        const auto fault = verdict(*transfer);
        done(fault ? QByteArray() : transfer->body, fault);
    });
}

void fetch(QNetworkAccessManager& network, const FeedConfig& config, QObject* context,
           const QString& url, RateSource::Done done,
           FeedResult (*parse)(const QByteArray&, const QDateTime&)) {
    auto clock = config.clock;
    const auto say = [url](const Fault& fault) {
        qCDebug(velmoraRates).noquote()
            << QStringLiteral("%1 gab keine Kurse: %2 \u2013 %3")
                   .arg(url, causeName(fault.cause), fault.failure.detail);
    };
    get(network, url, config, context,
        [clock, parse, say, done = std::move(done)](const QByteArray& body,
                                                    std::optional<Fault> fault) {
            if (fault) {
                say(*fault);
                return done(FeedResult(fault->failure));
            }
            const FeedResult result = parse(body, clock());
            if (!result.ok())
                say({Cause::parse, {result.error(), result.detail()}});
            done(result);
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
std::optional<Entry> readEntry(const QJsonObject& document, const QString& key) {
    const QJsonValue value = document.value(key);
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

// The currencies both feeds are asked for, the featured one first: its quote dates the record.
QList<Currency> quotedCurrencies() {
    QList<Currency> list{Currencies::featured};
    for (Currency c : Currencies::allCases) {
        if (c != Currency::eur && c != Currencies::featured)
            list.append(c);
    }
    return list;
}

QString feedKey(Currency c) {
    const std::string_view key = Currencies::row(c).feedKey;
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

// "a, b or c"
QString eitherOf(const QStringList& words) {
    if (words.size() < 2)
        return words.join(QString());
    return words.first(words.size() - 1).join(QLatin1String(", ")) + QLatin1String(" or ") +
           words.last();
}

// Strictly above the threshold, and finite: an infinite rate would pass the comparison but
// poison every conversion and could not be cached.
bool passes(double rate, double threshold) {
    return std::isfinite(rate) && rate > threshold;
}

FeedResult cannotParse(const QString& why) {
    return FeedResult::fail(FeedError::cannotParseResponse, why);
}

// A jar that keeps nothing: the requests ask for no cookies either, this makes sure.
class NoCookies final : public QNetworkCookieJar {
    Q_OBJECT
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    QList<QNetworkCookie> cookiesForUrl(const QUrl&) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie>&, const QUrl&) override { return false; }
};

} // namespace

namespace RateSource {

void prepare(QNetworkAccessManager& network) {
    network.setCookieJar(new NoCookies(&network));
}

QString primaryPath() {
    return QLatin1String("/daily/") + feedKey(Currency::eur) + QLatin1String(".json");
}

QString fallbackPath() {
    QStringList codes;
    for (Currency c : quotedCurrencies())
        codes.append(Currencies::code(c));
    return QLatin1String("/v1/latest?base=") + Currencies::code(Currency::eur) +
           QLatin1String("&symbols=") + codes.join(QLatin1Char(','));
}

void floatRates(QNetworkAccessManager& network, const FeedConfig& config, QObject* context,
                Done done) {
    fetch(network, config, context, config.primaryBase + primaryPath(), std::move(done),
          &parseFloatRates);
}

void ecb(QNetworkAccessManager& network, const FeedConfig& config, QObject* context, Done done) {
    fetch(network, config, context, config.fallbackBase + fallbackPath(), std::move(done),
          &parseEcb);
}

FeedResult parseFloatRates(const QByteArray& body, const QDateTime& now) {
    QString jsonError;
    const auto document = parseObject(body, &jsonError);
    if (!document)
        return FeedResult::fail(FeedError::jsonError, jsonError);

    const QList<Currency> currencies = quotedCurrencies();
    QList<Entry> entries;
    QStringList keys;
    for (Currency c : currencies) {
        keys.append(feedKey(c));
        if (const auto entry = readEntry(*document, keys.last()))
            entries.append(*entry);
    }
    if (entries.size() != currencies.size())
        return cannotParse(eitherOf(keys) + QLatin1String(" missing or unreadable"));
    for (qsizetype i = 0; i < currencies.size(); ++i) {
        if (!passes(entries[i].rate, Currencies::row(currencies[i]).lowestRate))
            return cannotParse(QStringLiteral("rate out of range"));
    }

    const QString& date = entries.first().date;
    const auto quoted = QuoteTime::parse(date);
    if (!quoted)
        return cannotParse(QStringLiteral("quote time unreadable: ") + date);
    const double age = double(quoted->msecsTo(now)) / 1000.0;
    if (!(age < maxQuoteAgeSeconds))
        return cannotParse(QStringLiteral("quote older than 72 hours"));

    RateInfo info;
    for (qsizetype i = 0; i < currencies.size(); ++i)
        info.perEur.insert(Currencies::code(currencies[i]), entries[i].rate);
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
    for (Currency c : quotedCurrencies()) {
        const QString code = Currencies::code(c);
        const QJsonValue rate = rateObject.value(code);
        if (!rate.isDouble() || !passes(rate.toDouble(), 0.0))
            return cannotParse(QStringLiteral("%1 missing or not above zero").arg(code));
        info.perEur.insert(code, rate.toDouble());
    }
    info.rateDate = date.toString();
    info.fetchedAt = Timestamps::fromDateTime(now);
    info.source = QStringLiteral("EZB");
    return info;
}

} // namespace RateSource

#include "rate_source.moc"
