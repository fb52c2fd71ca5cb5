// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/panel_window.h"

#include <gtest/gtest.h>

namespace {

using Kind = PanelWindow::Kind;

TEST(PanelWindow, PastTheWindowManagerOnlyOnXWaylandInAWaylandSession) {
    struct Case {
        const char* platform;
        const char* waylandDisplay;
        Kind kind;
    };
    const Case cases[] = {
        {"xcb", "", Kind::managed},                   // an X11 session
        {"xcb", "wayland-0", Kind::overrideRedirect}, // XWayland, as the program chooses
        {"xcb", "/run/user/1000/wayland-1", Kind::overrideRedirect},
        {"wayland", "wayland-0", Kind::managed}, // forced: the compositor places it
        {"offscreen", "wayland-0", Kind::managed},
        {"vnc", "", Kind::managed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelWindow::kindFor(QString::fromLatin1(c.platform),
                                       QString::fromLatin1(c.waylandDisplay)),
                  c.kind)
            << c.platform << " with WAYLAND_DISPLAY=" << c.waylandDisplay;
    }
    // The tests run offscreen, whatever the session they are started from.
    EXPECT_EQ(PanelWindow::forThisSession(), Kind::managed);
}

} // namespace
