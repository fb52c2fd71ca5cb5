// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/currency.h"
#include "model/timestamp.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// One complete set of euro-based rates with the day they are valid for and where they came from.
struct RateInfo {
    QMap<QString, double> perEur; // units per euro, keyed by code; the euro itself has no entry
    QString rateDate;             // "yyyy-MM-dd"
    Timestamp fetchedAt = 0;
    std::optional<QString> source;
    std::optional<Timestamp> quotedAt;

    // Units of `c` per euro; exactly 1 for the euro. Values come back unchecked, because a record
    // read from the cache is not validated again.
    std::optional<double> rate(Currency c) const;
    // Units of `to` that one unit of `from` is worth, converted through the euro.
    std::optional<double> cross(Currency from, Currency to) const;
    // Rates from the central bank, or from a record that does not say where it came from.
    bool isFallback() const;

    // The stored form: one JSON object; absent optionals are left out.
    QByteArray toJson() const;
    // All or nothing: any missing or mistyped required member refuses the whole text.
    static std::optional<RateInfo> fromJson(const QByteArray& json);

    // Field by field; a NaN rate is never equal, not even to the very same record.
    friend bool operator==(const RateInfo& a, const RateInfo& b);
};
