// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/categories.h"

// Qt would show a category's debug output unless told otherwise; these start at info.
Q_LOGGING_CATEGORY(velmoraRates, "velmora.rates", QtInfoMsg)
Q_LOGGING_CATEGORY(velmoraTray, "velmora.tray", QtInfoMsg)
Q_LOGGING_CATEGORY(velmoraPlacement, "velmora.placement", QtInfoMsg)
