// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rate_info.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

std::optional<double> RateInfo::rate(Currency c) const {
    if (c == Currency::eur)
        return 1.0;
    const auto it = perEur.constFind(Currencies::code(c));
    if (it == perEur.cend())
        return std::nullopt;
    return *it;
}

std::optional<double> RateInfo::cross(Currency from, Currency to) const {
    const auto a = rate(from);
    const auto b = rate(to);
    // Written as !(a > 0) so that a NaN rate is refused as well.
    if (!a || !b || !(*a > 0.0))
        return std::nullopt;
    return *b / *a;
}

bool RateInfo::isFallback() const {
    return !source || *source == QLatin1String("EZB");
}

bool operator==(const RateInfo& a, const RateInfo& b) {
    // QMap's own comparison takes a shortcut for shared data, which would call a NaN equal.
    if (a.perEur.size() != b.perEur.size())
        return false;
    for (auto it = a.perEur.cbegin(), jt = b.perEur.cbegin(); it != a.perEur.cend(); ++it, ++jt) {
        if (it.key() != jt.key() || !(it.value() == jt.value()))
            return false;
    }
    return a.rateDate == b.rateDate && a.fetchedAt == b.fetchedAt && a.source == b.source &&
           a.quotedAt == b.quotedAt;
}

QByteArray RateInfo::toJson() const {
    QJsonObject rates;
    for (auto it = perEur.cbegin(); it != perEur.cend(); ++it)
        rates.insert(it.key(), it.value());

    QJsonObject root;
    root.insert(QLatin1String("perEur"), rates);
    root.insert(QLatin1String("rateDate"), rateDate);
    root.insert(QLatin1String("fetchedAt"), fetchedAt);
    if (source)
        root.insert(QLatin1String("source"), *source);
    if (quotedAt)
        root.insert(QLatin1String("quotedAt"), *quotedAt);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<RateInfo> RateInfo::fromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();

    const QJsonValue rates = root.value(QLatin1String("perEur"));
    const QJsonValue date = root.value(QLatin1String("rateDate"));
    const QJsonValue fetched = root.value(QLatin1String("fetchedAt"));
    if (!rates.isObject() || !date.isString() || !fetched.isDouble())
        return std::nullopt;

    RateInfo info;
    const QJsonObject rateObject = rates.toObject();
    for (auto it = rateObject.constBegin(); it != rateObject.constEnd(); ++it) {
        if (!it.value().isDouble())
            return std::nullopt;
        info.perEur.insert(it.key(), it.value().toDouble());
    }
    info.rateDate = date.toString();
    info.fetchedAt = fetched.toDouble();

    const QJsonValue source = root.value(QLatin1String("source"));
    if (source.isString())
        info.source = source.toString();
    else if (!source.isUndefined() && !source.isNull())
        return std::nullopt;

    const QJsonValue quoted = root.value(QLatin1String("quotedAt"));
    if (quoted.isDouble())
        info.quotedAt = quoted.toDouble();
    else if (!quoted.isUndefined() && !quoted.isNull())
        return std::nullopt;

    return info;
}
