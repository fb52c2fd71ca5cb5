// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Reads the primary feed's time stamp, "Tue, 08 Dec 2026 00:00:01 GMT": English weekday and
// month abbreviations, a one- or two-digit day, and a zone that is GMT, UTC, UT, a numeric
// offset (+0200, -05:00, GMT+1) or a common European or North American abbreviation.
// Qt's own parsers either refuse GMT or turn unknown zones silently into UTC, hence this one.
namespace QuoteTime {

std::optional<QDateTime> parse(const QString& text);

} // namespace QuoteTime
