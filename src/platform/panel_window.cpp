// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/panel_window.h"

#include <QGuiApplication>

namespace PanelWindow {

Kind kindFor(const QString& platformName, const QString& waylandDisplay) {
    if (platformName == QLatin1String("xcb") && !waylandDisplay.isEmpty())
        return Kind::overrideRedirect;
    return Kind::managed;
}

Kind forThisSession() {
    static const Kind kind =
        kindFor(QGuiApplication::platformName(), qEnvironmentVariable("WAYLAND_DISPLAY"));
    return kind;
}

} // namespace PanelWindow
