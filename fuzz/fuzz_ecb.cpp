// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_check.h"

#include "rates/rate_source.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    FuzzFeed::checkResult(RateSource::parseEcb(body, FuzzFeed::now()));
    return 0;
}
