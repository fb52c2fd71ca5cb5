// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/feed_config.h"

#include "rates/feed_urls.h"

FeedConfig FeedConfig::fromBuild() {
    FeedConfig config;
    config.primaryBase = QStringLiteral(VELMORA_PRIMARY_URL);
    config.fallbackBase = QStringLiteral(VELMORA_FALLBACK_URL);
    return config;
}
