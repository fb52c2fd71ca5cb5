// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/rate_info.h"

#include <QString>

#include <optional>
#include <utility>

// Why a feed produced no rates. The store treats all kinds alike; they are kept apart so that
// tests and diagnostics can tell a dead network from a broken reply.
enum class FeedError {
    transport,           // no connection, TLS failure, time-out, refused redirect
    badServerResponse,   // not an HTTP reply, status other than 200, body too large
    cannotParseResponse, // readable JSON without usable rates
    jsonError,           // not JSON, or JSON of the wrong shape
};

struct FeedFailure {
    FeedError kind;
    QString detail;
};

// Either a rate record or the reason there is none.
class FeedResult final {
public:
    FeedResult(RateInfo info)
        : m_info(std::move(info)) {}
    FeedResult(FeedFailure failure)
        : m_failure(std::move(failure)) {}
    static FeedResult fail(FeedError kind, QString detail = {}) {
        return FeedFailure{kind, std::move(detail)};
    }

    bool ok() const { return m_info.has_value(); }
    const RateInfo& info() const { return *m_info; }
    const std::optional<RateInfo>& infoIfAny() const { return m_info; }
    FeedError error() const { return m_failure.kind; }
    const QString& detail() const { return m_failure.detail; }

private:
    std::optional<RateInfo> m_info;
    FeedFailure m_failure{FeedError::transport, {}};
};
