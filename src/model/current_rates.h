// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/rate_info.h"

#include <optional>

// The one thing the application model needs of the rate store: the record in use, if any. Kept
// this narrow so that the model can be built and tested without anything that touches the network.
class CurrentRates {
public:
    virtual ~CurrentRates() = default;
    virtual const std::optional<RateInfo>& info() const = 0;
};
