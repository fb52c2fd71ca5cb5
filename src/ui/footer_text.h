// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/rate_info.h"

#include <QDateTime>
#include <QString>

#include <optional>

// What the footer says about the rates: where they come from, how fresh they are, and
// whether something is wrong. Pure functions of the store's state.
namespace FooterText {

QString sourceLine(const std::optional<RateInfo>& info, bool isLoading, const QDateTime& now);

struct Status {
    QString base;    // "aktualisiert 09:05 Uhr", or a single blank without rates
    QString warning; // "  Keine Verbindung", "  EZB als Ersatz" or empty; drawn in `warning`
};
Status statusLine(const std::optional<RateInfo>& info, bool hasFailed, const QDateTime& now);

} // namespace FooterText
