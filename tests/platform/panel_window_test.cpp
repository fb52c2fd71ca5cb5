// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/panel_window.h"

#include <gtest/gtest.h>

namespace {

using Kind = PanelWindow::Kind;

TEST(PanelWindow, PastTheWindowManagerOnlyOnXWaylandUnderWlroots) {
    struct Case {
        const char* platform;
        const char* waylandDisplay;
        const char* windowManager;
        Kind kind;
    };
    const Case cases[] = {
        {"xcb", "", "Openbox", Kind::managed},                      // an X11 session
        {"xcb", "wayland-1", "wlroots wm", Kind::overrideRedirect}, // sway, as the program chooses
        {"xcb", "/run/user/1000/wayland-1", "wlroots wm", Kind::overrideRedirect},
        {"xcb", "wayland-0", "GNOME Shell", Kind::managed}, // Mutter manages XWayland itself
        {"xcb", "wayland-0", "KWin", Kind::managed},
        {"xcb", "", "wlroots wm", Kind::managed},    // no Wayland session after all
        {"wayland", "wayland-0", "", Kind::managed}, // forced: the compositor places it
        {"offscreen", "wayland-0", "wlroots wm", Kind::managed},
        {"vnc", "", "", Kind::managed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelWindow::kindFor(QString::fromLatin1(c.platform),
                                       QString::fromLatin1(c.waylandDisplay),
                                       QString::fromLatin1(c.windowManager)),
                  c.kind)
            << c.platform << " with WAYLAND_DISPLAY=" << c.waylandDisplay << " under "
            << c.windowManager;
    }
    // The tests run offscreen, whatever the session they are started from.
    EXPECT_EQ(PanelWindow::forThisSession(), Kind::managed);
}

} // namespace
