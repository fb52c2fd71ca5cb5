// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg_paths.h"

#include <QDir>

namespace XdgPaths {

QString configHome() {
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        return QDir::homePath() + QLatin1String("/.config");
    return base;
}

QString settingsFile() {
    return configHome() + QLatin1String("/Velmora/Velmora.conf");
}

QString autostartEntry() {
    return configHome() + QLatin1String("/autostart/velmora.desktop");
}

} // namespace XdgPaths
