// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

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

// "7", ",", "−" (U+2212), "×", "÷", "=", "C", "⌫", "Einfügen"
QString label(CalcKey key);
// What a screen reader says for the key: "Mal" for "×", "Rücktaste" for "⌫", the label otherwise.
QString spokenName(CalcKey key);
std::optional<CalcKey> fromLabel(QStringView label);

bool isOperator(CalcKey key);
// Whether the text is the label of an operator key.
bool isOperatorLabel(QStringView text);

} // namespace CalcKeys
