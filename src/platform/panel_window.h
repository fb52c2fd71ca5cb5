// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How the panel's window is realised on the desktop the program runs on.
namespace PanelWindow {

enum class Kind {
    // The window system places it. On X11 a tool window that stays on top, on every virtual
    // desktop and out of task bars and pagers; on any other Qt platform whatever it makes of one.
    managed,
    // XWayland under a compositor built on wlroots (sway and its kin): these centre every
    // managed X11 window whatever it asks for, but put a window that bypasses the window
    // manager where it asks. Such a window gets no keyboard from the window manager and takes it
    // itself. Mutter and KWin manage XWayland's windows as an X11 window manager does, and
    // restrict grabs from XWayland: there the panel stays a managed window.
    overrideRedirect,
    // A native Wayland layer-shell surface. Not built: that needs a Qt binding for the protocol
    // (LayerShellQt 6, from Debian 13 on), so nothing chooses it yet.
    layerSurface,
};

// The kind for the Qt platform the program runs on ("xcb", "wayland", "offscreen" …), the
// value of WAYLAND_DISPLAY and the name the X window manager gives itself.
Kind kindFor(const QString& platformName, const QString& waylandDisplay,
             const QString& windowManager);

// The kind for this process, decided on the first call, once the application object exists.
Kind forThisSession();

} // namespace PanelWindow
