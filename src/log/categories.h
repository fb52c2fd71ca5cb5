// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Debug output that says why something did not happen, beyond what the log file keeps. Off
// unless switched on, e.g. QT_LOGGING_RULES="velmora.*.debug=true"; Qt writes it to stderr.
Q_DECLARE_LOGGING_CATEGORY(velmoraRates)     // velmora.rates: why a feed gave no rates
Q_DECLARE_LOGGING_CATEGORY(velmoraTray)      // velmora.tray: the tray icon's registration
Q_DECLARE_LOGGING_CATEGORY(velmoraPlacement) // velmora.placement: where the panel goes, and why
