// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/rate_store.h"

#include "rates/rate_source.h"

#include <QNetworkAccessManager>
#include <QTimer>

RateStore::RateStore(Options options, QObject* parent)
    : LiveRates(parent)
    , m_options(std::move(options))
    , m_network(new QNetworkAccessManager(this))
    , m_timer(new QTimer(this)) {
    RateSource::prepare(*m_network);
    loadCache();
    if (!m_options.refreshesByItself)
        return;
    // Qt sends nothing before the event loop runs again, so construction still returns before
    // any network traffic; starting here means observers see the refresh as running at once.
    refresh();
    // A child timer dies with the store, so it can never keep a deleted store refreshing.
    m_timer->setInterval(m_options.refreshIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &RateStore::refresh);
    m_timer->start();
}

RateStore::~RateStore() = default;

void RateStore::loadCache() {
    const auto json = m_options.settings.cachedRates();
    if (!json)
        return;
    if (auto cached = RateInfo::fromJson(*json))
        setInfo(*cached);
}

void RateStore::refresh() {
    if (m_isLoading)
        return;
    setLoading(true);
    RateSource::floatRates(*m_network, m_options.feeds, this, [this](const FeedResult& result) {
        if (result.ok())
            finish(result.info());
        else
            tryFallback();
    });
}

void RateStore::tryFallback() {
    RateSource::ecb(*m_network, m_options.feeds, this,
                    [this](const FeedResult& result) { finish(result.infoIfAny()); });
}

void RateStore::finish(const std::optional<RateInfo>& result) {
    if (result) {
        setInfo(*result);
        setFailed(false);
        m_options.settings.setCachedRates(result->toJson());
    } else {
        setFailed(true);
    }
    setLoading(false);
}

void RateStore::setInfo(const RateInfo& info) {
    m_info = info;
    emit infoChanged();
}

void RateStore::setLoading(bool loading) {
    m_isLoading = loading;
    emit isLoadingChanged();
}

void RateStore::setFailed(bool failed) {
    m_hasFailed = failed;
    emit hasFailedChanged();
}
