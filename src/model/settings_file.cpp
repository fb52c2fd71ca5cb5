#include "model/settings_file.h"

#include <QDir>

namespace SettingsFile {

QString configHome() {
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        return QDir::homePath() + QLatin1String("/.config");
    return base;
}

QString defaultPath() { return configHome() + QLatin1String("/Velmora/Velmora.conf"); }

} // namespace SettingsFile
