// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/calc_key.h"

#include <QString>
#include <Qt>

#include <optional>

// The one place where typed keys become calculator keys.
namespace KeyRouting {

struct Action {
    enum class Kind { press, hide } kind;
    CalcKey key = CalcKey::clear; // for press
};

// Nothing when the key is not the calculator's: Control, Alt or Meta held, a dead key, a key
// that types more or less than one character, or a character the calculator does not know.
std::optional<Action> route(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

} // namespace KeyRouting
