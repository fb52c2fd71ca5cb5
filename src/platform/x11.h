// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWindow>

#include <xcb/xcb.h>

// The few things Velmora asks of the X server directly. Every function does nothing (or answers
// no) when the program does not run on X11, as under the offscreen platform of the tests.
namespace X11 {

// The selection an XEmbed tray owns on the first screen, the only one a tray is looked for on.
inline constexpr char systemTraySelection[] = "_NET_SYSTEM_TRAY_S0";

xcb_connection_t* connection();
xcb_atom_t atom(xcb_connection_t* c, const char* name);
xcb_window_t rootWindow(xcb_connection_t* c);
// The name the running window manager gives itself (_NET_WM_NAME on its check window), or
// nothing.
QString windowManagerName();
// Whether some client owns the selection `name` (systemTraySelection, _NET_WM_CM_S0).
bool selectionOwned(const char* name);

// Asks the window manager to show the window on every virtual desktop and to keep it out of
// task bars and pagers. Window managers read these hints when they map a window and drop its
// _NET_WM_STATE when it is withdrawn, so this is called each time before it is shown.
void markAsFloatingPanel(WId window);

// Makes an embedded window square in the X server's pixels, as thick as its embedder made it
// along one side: the size hints ask for that side, and a configure request has the embedder
// read them again. False when it is square already (or is no window).
bool askForSquare(WId window);

// Takes a window that is not mapped yet past the window manager (override-redirect), so that a
// Wayland compositor puts it on XWayland where it asks, and makes it a normal window: wlroots
// gives no keyboard to such a window of the type Qt gives a tool window (utility), nor to menus,
// tool tips, notifications and the like.
void markAsUnmanagedPanel(WId window);

// Sends every key to the mapped window until it is unmapped. False when the server refuses,
// as when another client holds the keyboard.
[[nodiscard]] bool grabKeyboard(WId window);

} // namespace X11
