// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/currency.h"
#include "model/timestamp.h"

#include <QDateTime>
#include <QString>

// German number and date text for display, for the clipboard and for the calculator's own line.
namespace Format {

// Exactly `digits` fraction digits, thousands grouped: 1.234,50
QString number(double value, int digits);
// Up to six fraction digits, no grouping, so the calculator can read it back: 1234,5
QString plain(double value);
// Two fraction digits, no grouping; the form that goes onto the clipboard: 1234,50
QString money(double value);
// The price of one euro in `c`, between the two symbols: "1 (euro) = 39,50 (baht)"
QString perEuro(Currency c, double rate, int digits);
// "2024-05-17" becomes "17.05.24"; anything that is not such a day comes back unchanged.
QString rateDate(const QString& isoDay);
// "09:05 Uhr" for a moment of the same day as `now`, "03.03. 14:30 Uhr" for another day of its
// year, "09.12.25 19:06 Uhr" for a day of another year; in local time.
QString stamp(Timestamp t, const QDateTime& now);

} // namespace Format
