// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The calculator's keys. The keypad, the keyboard and the model all speak in these; a key's label
// is what the keypad shows and, for a key that types itself, what the input line receives.
enum class CalcKey {
    digit0,
    digit1,
    digit2,
    digit3,
    digit4,
    digit5,
    digit6,
    digit7,
    digit8,
    digit9,
    comma,
    openParen,
    closeParen,
    plus,
    minus,
    times,
    divide,
    equals,
    clear,
    backspace,
    paste,
};

namespace CalcKeys {

// The operator keys in keypad order: + − × ÷
inline constexpr std::array<CalcKey, 4> operators{CalcKey::plus, CalcKey::minus, CalcKey::times,
                                                  CalcKey::divide};

// "7", ",", "−" (U+2212), "×", "÷", "=", "C", "⌫", "Einfügen"
QString label(CalcKey key);
// What a screen reader says for the key: "Mal" for "×", "Rücktaste" for "⌫", the label otherwise.
QString spokenName(CalcKey key);
std::optional<CalcKey> fromLabel(QStringView label);

bool isOperator(CalcKey key);
// The operator key whose label is this character, if any.
bool isOperatorLabel(QStringView text);
// Digits, the comma and the parentheses go into the line as they are labelled.
bool typesItself(CalcKey key);

} // namespace CalcKeys
