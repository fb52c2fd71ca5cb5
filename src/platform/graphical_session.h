// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the window system the program would use can be reached. Qt aborts when it cannot
// open its display; asked first, the program can say so in a line instead.
namespace GraphicalSession {

bool reachable();

} // namespace GraphicalSession
