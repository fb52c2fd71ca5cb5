// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Reads the calculator's input line, or any pasted text, as a number. Pure functions only.
namespace Calculator {

// The value of a complete, well-formed expression; nothing for unreadable text, a missing
// operand, division by zero, a non-finite result or nesting deeper than anyone types.
std::optional<double> evaluate(const QString& text);

// True for a real calculation (three or more tokens), false for a single or signed figure.
bool isExpression(const QString& text);

// Cuts arbitrary pasted text down to digits, separators, operators, parentheses and single
// spaces, without a leading or trailing operator or separator.
QString cleanPasted(const QString& text);

// How deeply parentheses and signs may nest before a text counts as unreadable.
inline constexpr int maxNesting = 200;

} // namespace Calculator
