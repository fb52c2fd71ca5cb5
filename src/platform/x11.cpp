// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace X11 {

xcb_connection_t* connection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    if (auto* native = app->nativeInterface<QNativeInterface::QX11Application>())
        return native->connection();
    return nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

xcb_window_t rootWindow(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem > 0 ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

namespace {

// A 32-bit property of a window: its first value, or none.
xcb_window_t windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t value = XCB_WINDOW_NONE;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        value = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

} // namespace

QString windowManagerName() {
    xcb_connection_t* c = connection();
    if (!c)
        return {};
    const xcb_window_t check =
        windowProperty(c, rootWindow(c), atom(c, "_NET_SUPPORTING_WM_CHECK"));
    if (check == XCB_WINDOW_NONE)
        return {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, check, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 0, 256),
        nullptr);
    QString name;
    if (reply && reply->format == 8)
        name = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                 xcb_get_property_value_length(reply));
    std::free(reply);
    return name;
}

bool selectionOwned(const char* name) {
    xcb_connection_t* c = connection();
    if (!c)
        return false;
    const xcb_atom_t a = atom(c, name);
    if (a == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void markAsFloatingPanel(WId id) {
    xcb_connection_t* c = connection();
    if (!c || id == 0)
        return;
    const auto window = static_cast<xcb_window_t>(id);
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");

    // Keep what Qt put there (above, for a window that stays on top) and add ours.
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    for (const char* name :
         {"_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t a = atom(c, name);
        if (a != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), a) == atoms.end())
            atoms.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());

    // 0xFFFFFFFF: on all desktops.
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_DESKTOP"),
                        XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    xcb_flush(c);
}

bool askForSquare(WId id) {
    xcb_connection_t* c = connection();
    if (!c || id == 0)
        return false;
    const auto window = static_cast<xcb_window_t>(id);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry)
        return false;
    const uint16_t width = geometry->width, height = geometry->height;
    std::free(geometry);
    if (width == height)
        return false;
    // The tray sets the side across its bar and takes the other from what we ask for, which is
    // never less than that: the thinner side is the tray's.
    const uint32_t side = std::min(width, height);
    // Asked for already: a tray thicker than our floor keeps its thickness, and asking again
    // would only go round in circles.
    xcb_get_property_reply_t* current = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
        nullptr);
    const bool asked = current && xcb_get_property_value_length(current) == 18 * 4 &&
                       static_cast<const uint32_t*>(xcb_get_property_value(current))[5] == side;
    std::free(current);
    if (asked)
        return false;
    // WM_SIZE_HINTS: flags, four unused fields, min width and height, … base width and height.
    constexpr uint32_t minSize = 1u << 4, baseSize = 1u << 8;
    uint32_t hints[18] = {};
    hints[0] = minSize | baseSize;
    hints[5] = hints[6] = side;
    hints[15] = hints[16] = side;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    const uint32_t size[] = {side, side};
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(c);
    return true;
}

void markAsUnmanagedPanel(WId id) {
    xcb_connection_t* c = connection();
    if (!c || id == 0)
        return;
    const auto window = static_cast<xcb_window_t>(id);
    const uint32_t overrideRedirect = 1;
    xcb_change_window_attributes(c, window, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    const xcb_atom_t normal = atom(c, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &normal);
    xcb_flush(c);
}

bool grabKeyboard(WId id) {
    xcb_connection_t* c = connection();
    if (!c || id == 0)
        return false;
    xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(
        c,
        xcb_grab_keyboard(c, 0, static_cast<xcb_window_t>(id), XCB_CURRENT_TIME,
                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr);
    const bool taken = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return taken;
}

} // namespace X11
