// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/calc_key.h"

#include <QString>
#include <Qt>

// The one place that decides what a key pressed in the panel does. Qt's own handling comes first:
// Tab and Shift+Tab move the ring along the focus chain, and a control with the ring takes Space
// and presses itself. Every other key gets here whichever control has the ring, Return included.
namespace KeyRouting {

// What the desktop's key scheme makes of a key (Ctrl+C, Ctrl+Insert or the Copy key for copy,
// say); it differs between desktops, so the window asks Qt and passes the answer in.
enum class Shortcut { none, copy, paste };

struct Input {
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
    Shortcut shortcut = Shortcut::none;
};

struct Action {
    enum class Kind {
        none, // not the panel's: left to go on unhandled
        press,
        hide,
        copyEuro,
        quit,
    } kind = Kind::none;
    CalcKey key = CalcKey::clear; // for press
};

// With Control, Alt or Meta held a key never types: it can only be the desktop's copy or paste,
// or Ctrl+Q. Any other key the calculator knows, by its code or by the one character it types,
// presses that calculator key; a dead key, a key typing more or less than one character and a
// character the calculator does not know go nowhere unless they are copy or paste.
Action route(const Input& input);

} // namespace KeyRouting
