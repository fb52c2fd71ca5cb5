// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/graphical_session.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

namespace GraphicalSession {

bool reachable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    // Another platform (offscreen, wayland, vnc …) was chosen on purpose: Qt judges it.
    if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0)
        return true;
    if (!set("DISPLAY"))
        return !(platform && *platform) && set("WAYLAND_DISPLAY");
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return ok;
}

bool wayland() {
    return set("WAYLAND_DISPLAY");
}

} // namespace GraphicalSession
