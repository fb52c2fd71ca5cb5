// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_routing.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using Kind = KeyRouting::Action::Kind;

TEST(KeyRouting, KeysBecomeCalculatorKeys) {
    struct Row {
        int key;
        const char16_t* text;
        Qt::KeyboardModifiers modifiers;
        const char16_t* expected; // nullptr: not handled
    };
    const Row rows[] = {
        {Qt::Key_Return, u"\r", {}, u"="},
        {Qt::Key_Enter, u"\r", Qt::KeypadModifier, u"="},
        {Qt::Key_Backspace, u"\b", {}, u"\u232B"},
        {Qt::Key_Delete, u"\x7f", {}, u"C"},
        {Qt::Key_7, u"7", {}, u"7"},
        {Qt::Key_7, u"7", Qt::KeypadModifier, u"7"},
        {Qt::Key_ParenLeft, u"(", Qt::ShiftModifier, u"("},
        {Qt::Key_ParenRight, u")", Qt::ShiftModifier, u")"},
        {Qt::Key_Comma, u",", {}, u","},
        {Qt::Key_Period, u".", {}, u","},
        {Qt::Key_Plus, u"+", Qt::ShiftModifier, u"+"},
        {Qt::Key_Minus, u"-", {}, u"\u2212"},
        {Qt::Key_Asterisk, u"*", Qt::ShiftModifier, u"\u00D7"},
        {Qt::Key_X, u"x", {}, u"\u00D7"},
        {Qt::Key_X, u"X", Qt::ShiftModifier, u"\u00D7"},
        {Qt::Key_Slash, u"/", {}, u"\u00F7"},
        {Qt::Key_Colon, u":", Qt::ShiftModifier, u"\u00F7"},
        {Qt::Key_Equal, u"=", {}, u"="},
        {Qt::Key_C, u"c", {}, u"C"},
        {Qt::Key_C, u"C", Qt::ShiftModifier, u"C"},
        {Qt::Key_C, u"c", Qt::ControlModifier, nullptr},
        {Qt::Key_V, u"v", Qt::ControlModifier, nullptr},
        {Qt::Key_7, u"7", Qt::AltModifier, nullptr},
        {Qt::Key_7, u"7", Qt::MetaModifier, nullptr},
        {Qt::Key_Return, u"\r", Qt::ControlModifier, nullptr},
        {Qt::Key_A, u"a", {}, nullptr},
        {Qt::Key_Dead_Acute, u"", {}, nullptr},
        {Qt::Key_unknown, u"ab", {}, nullptr},
        {Qt::Key_F1, u"", {}, nullptr},
        {Qt::Key_Space, u" ", {}, nullptr},
    };
    for (const Row& row : rows) {
        const auto action = KeyRouting::route(row.key, row.modifiers, QString::fromUtf16(row.text));
        const std::string what =
            QString::fromUtf16(row.text).toStdString() + " / " + std::to_string(row.key);
        if (!row.expected) {
            EXPECT_FALSE(action.has_value()) << what;
            continue;
        }
        ASSERT_TRUE(action.has_value()) << what;
        EXPECT_EQ(action->kind, Kind::press) << what;
        EXPECT_EQ(CalcKeys::label(action->key), QString::fromUtf16(row.expected)) << what;
    }
}

TEST(KeyRouting, EscapeHidesWithoutAKey) {
    const auto action = KeyRouting::route(Qt::Key_Escape, {}, QStringLiteral("\x1b"));
    ASSERT_TRUE(action.has_value());
    EXPECT_EQ(action->kind, Kind::hide);
    EXPECT_FALSE(KeyRouting::route(Qt::Key_Escape, Qt::ControlModifier, {}).has_value());
}

} // namespace
