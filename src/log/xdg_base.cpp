// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/xdg_base.h"

#include <QDir>

namespace XdgBase {

QString folder(const char* variable, QLatin1String belowHome) {
    const QString value = qEnvironmentVariable(variable);
    if (value.isEmpty() || !QDir::isAbsolutePath(value))
        return QDir::homePath() + QLatin1Char('/') + belowHome;
    return value;
}

} // namespace XdgBase
