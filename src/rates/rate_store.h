// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/live_rates.h"
#include "model/rate_info.h"
#include "model/settings_store.h"
#include "rates/feed_config.h"
#include "rates/feed_result.h"

#include <QString>

#include <optional>

class QNetworkAccessManager;
class QTimer;

// Owns the rates in use: loads the cached record at once, refreshes from the primary feed
// (the central bank only when that fails) at start, on a timer and on request, and caches
// every success in the settings file.
class RateStore final : public LiveRates {
    Q_OBJECT

public:
    struct Options {
        FeedConfig feeds = FeedConfig::fromBuild();
        SettingsStore settings; // holds the cached record
        int refreshIntervalMs = 30 * 60 * 1000;
        // Off, the store only serves its cache until refresh() is called: for tools that render
        // the panel from a fixed record, and for tests of the views.
        bool refreshesByItself = true;
    };

    explicit RateStore(Options options, QObject* parent = nullptr);
    ~RateStore() override;

    const std::optional<RateInfo>& info() const override { return m_info; }
    bool isLoading() const override { return m_isLoading; }
    bool hasFailed() const override { return m_hasFailed; }
    void refresh() override;

private:
    void loadCache();
    void tryFallback();
    void finish(const std::optional<RateInfo>& result);
    void setInfo(const RateInfo& info);
    void setLoading(bool loading);
    void setFailed(bool failed);

    Options m_options;
    QNetworkAccessManager* m_network;
    QTimer* m_timer;
    std::optional<RateInfo> m_info;
    bool m_isLoading = false;
    bool m_hasFailed = false;
};
