// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/panel_window.h"

#include "platform/x11.h"

#include <QGuiApplication>

namespace PanelWindow {

Kind kindFor(const QString& platformName, const QString& waylandDisplay,
             const QString& windowManager) {
    // wlroots' window manager for XWayland calls itself "wlroots wm".
    if (platformName == QLatin1String("xcb") && !waylandDisplay.isEmpty() &&
        windowManager.startsWith(QLatin1String("wlroots")))
        return Kind::overrideRedirect;
    return Kind::managed;
}

Kind forThisSession() {
    static const Kind kind =
        kindFor(QGuiApplication::platformName(), qEnvironmentVariable("WAYLAND_DISPLAY"),
                X11::windowManagerName());
    return kind;
}

} // namespace PanelWindow
