#include "model/settings_file.h"

#include <QDir>

namespace SettingsFile {

QString defaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/Velmora/Velmora.conf");
}

} // namespace SettingsFile
