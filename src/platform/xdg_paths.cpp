// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg_paths.h"

#include "log/xdg_base.h"

namespace XdgPaths {

QString configHome() {
    return XdgBase::folder("XDG_CONFIG_HOME", QLatin1String(".config"));
}

QString settingsFile() {
    return configHome() + QLatin1String("/Velmora/Velmora.conf");
}

QString autostartEntry() {
    return configHome() + QLatin1String("/autostart/velmora.desktop");
}

} // namespace XdgPaths
