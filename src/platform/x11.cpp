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
