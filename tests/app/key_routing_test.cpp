// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_routing.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using Kind = KeyRouting::Action::Kind;
using Shortcut = KeyRouting::Shortcut;

TEST(KeyRouting, EveryKeyTheTableKnows) {
    constexpr auto keypad = Qt::KeypadModifier;
    constexpr auto shift = Qt::ShiftModifier;
    constexpr auto ctrl = Qt::ControlModifier;
    struct Row {
        int key;
        const char16_t* text;
        Qt::KeyboardModifiers modifiers;
        Kind kind;
        const char16_t* pressed = nullptr; // the calculator key's label, for press
        Shortcut shortcut = Shortcut::none;
    };
    const Row rows[] = {
        {Qt::Key_Return, u"\r", {}, Kind::press, u"="},
        {Qt::Key_Enter, u"\r", keypad, Kind::press, u"="},
        {Qt::Key_Backspace, u"\b", {}, Kind::press, u"\u232B"},
        {Qt::Key_Delete, u"\x7f", {}, Kind::press, u"C"},
        {Qt::Key_Delete, u"\x7f", keypad, Kind::press, u"C"},
        {Qt::Key_Delete, u"", shift, Kind::press, u"C"},
        {Qt::Key_7, u"7", {}, Kind::press, u"7"},
        {Qt::Key_7, u"7", keypad, Kind::press, u"7"},
        {Qt::Key_ParenLeft, u"(", shift, Kind::press, u"("},
        {Qt::Key_ParenRight, u")", shift, Kind::press, u")"},
        {Qt::Key_Comma, u",", {}, Kind::press, u","},
        {Qt::Key_Comma, u",", keypad, Kind::press, u","},
        {Qt::Key_Period, u".", {}, Kind::press, u","},
        {Qt::Key_Period, u".", keypad, Kind::press, u","},
        {Qt::Key_Plus, u"+", shift, Kind::press, u"+"},
        {Qt::Key_Plus, u"+", keypad, Kind::press, u"+"},
        {Qt::Key_Minus, u"-", {}, Kind::press, u"\u2212"},
        {Qt::Key_Minus, u"-", keypad, Kind::press, u"\u2212"},
        {Qt::Key_Asterisk, u"*", shift, Kind::press, u"\u00D7"},
        {Qt::Key_Asterisk, u"*", keypad, Kind::press, u"\u00D7"},
        {Qt::Key_X, u"x", {}, Kind::press, u"\u00D7"},
        {Qt::Key_X, u"X", shift, Kind::press, u"\u00D7"},
        {Qt::Key_Slash, u"/", {}, Kind::press, u"\u00F7"},
        {Qt::Key_Slash, u"/", keypad, Kind::press, u"\u00F7"},
        {Qt::Key_Colon, u":", shift, Kind::press, u"\u00F7"},
        {Qt::Key_Equal, u"=", {}, Kind::press, u"="},
        {Qt::Key_C, u"c", {}, Kind::press, u"C"},
        {Qt::Key_C, u"C", shift, Kind::press, u"C"},
        // Escape hides, without pressing a key.
        {Qt::Key_Escape, u"\x1b", {}, Kind::hide},
        {Qt::Key_Escape, u"", ctrl, Kind::none},
        // Copy and paste are whatever the desktop's scheme says; Ctrl+C is no "C" key.
        {Qt::Key_C, u"\x03", ctrl, Kind::copyEuro, nullptr, Shortcut::copy},
        {Qt::Key_Insert, u"", ctrl, Kind::copyEuro, nullptr, Shortcut::copy},
        {Qt::Key_Copy, u"", {}, Kind::copyEuro, nullptr, Shortcut::copy},
        {Qt::Key_V, u"\x16", ctrl, Kind::press, u"Einf\u00FCgen", Shortcut::paste},
        {Qt::Key_Insert, u"", shift, Kind::press, u"Einf\u00FCgen", Shortcut::paste},
        {Qt::Key_Insert, u"", shift | keypad, Kind::press, u"Einf\u00FCgen", Shortcut::paste},
        {Qt::Key_C, u"\x03", ctrl | shift, Kind::none},
        {Qt::Key_Q, u"\x11", ctrl, Kind::quit},
        {Qt::Key_Q, u"\x11", ctrl | shift, Kind::quit},
        {Qt::Key_Q, u"q", {}, Kind::none},
        {Qt::Key_Q, u"q", Qt::AltModifier, Kind::none},
        // Control, Alt or Meta held: no calculator key.
        {Qt::Key_7, u"7", ctrl, Kind::none},
        {Qt::Key_7, u"7", Qt::AltModifier, Kind::none},
        {Qt::Key_7, u"7", Qt::MetaModifier, Kind::none},
        {Qt::Key_Return, u"\r", ctrl, Kind::none},
        // Characters the calculator does not know, dead keys, and keys typing no or more than
        // one character.
        {Qt::Key_A, u"a", {}, Kind::none},
        {Qt::Key_Dead_Acute, u"", {}, Kind::none},
        {Qt::Key_unknown, u"ab", {}, Kind::none},
        {Qt::Key_F1, u"", {}, Kind::none},
        // The focus chain's and the focused control's; alone in the panel they do nothing.
        {Qt::Key_Space, u" ", {}, Kind::none},
        {Qt::Key_Tab, u"\t", {}, Kind::none},
        {Qt::Key_Backtab, u"", shift, Kind::none},
    };
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        const auto action = KeyRouting::route({row.key, row.modifiers, text, row.shortcut});
        const std::string what = text.toStdString() + " / " + std::to_string(row.key) + " / " +
                                 std::to_string(row.modifiers.toInt());
        EXPECT_EQ(action.kind, row.kind) << what;
        if (row.kind == Kind::press) {
            EXPECT_EQ(CalcKeys::label(action.key), QString::fromUtf16(row.pressed)) << what;
        }
    }
}

} // namespace
