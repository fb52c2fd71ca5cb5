// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <QString>

// The XDG base directory rule, here because the log is the lowest layer that keeps a file in a
// user's home; the platform layer's folders follow it too.
namespace XdgBase {

// The folder the environment variable names, or `belowHome` in the home folder when it is
// unset, empty or not absolute: folder("XDG_STATE_HOME", ".local/state").
QString folder(const char* variable, QLatin1String belowHome);

} // namespace XdgBase
