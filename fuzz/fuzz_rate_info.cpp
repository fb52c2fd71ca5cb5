// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rate_info.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto info = RateInfo::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!info)
        return 0;
    // The cache is written with toJson and read back with fromJson; that trip must be lossless.
    const auto again = RateInfo::fromJson(info->toJson());
    if (!again || !(*again == *info))
        __builtin_trap();
    return 0;
}
