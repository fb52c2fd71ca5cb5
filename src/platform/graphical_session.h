// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the window system the program would use can be reached. Qt aborts when it cannot
// open its display; asked first, the program can say so in a line instead.
namespace GraphicalSession {

bool reachable();

// Whether the desktop is a Wayland session (the program may still run on XWayland there).
bool wayland();

} // namespace GraphicalSession
