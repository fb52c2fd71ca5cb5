// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_routing.h"

#include <utility>

namespace {

using KeyRouting::Action;

// Typed characters other than digits and parentheses, and the key each one presses.
constexpr std::pair<char16_t, CalcKey> typedKeys[] = {
    {u',', CalcKey::comma},  {u'.', CalcKey::comma},  {u'+', CalcKey::plus},
    {u'-', CalcKey::minus},  {u'*', CalcKey::times},  {u'x', CalcKey::times},
    {u'X', CalcKey::times},  {u'/', CalcKey::divide}, {u':', CalcKey::divide},
    {u'=', CalcKey::equals}, {u'c', CalcKey::clear},  {u'C', CalcKey::clear},
};

Action press(CalcKey key) {
    return {Action::Kind::press, key};
}

// A key pressed with no Control, Alt or Meta held.
Action typed(int qtKey, const QString& text) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return press(CalcKey::equals);
    case Qt::Key_Backspace:
        return press(CalcKey::backspace);
    case Qt::Key_Delete:
        return press(CalcKey::clear);
    case Qt::Key_Escape:
        return {Action::Kind::hide};
    default:
        break;
    }

    if (text.size() != 1)
        return {};
    const char16_t c = text[0].unicode();
    if ((c >= u'0' && c <= u'9') || c == u'(' || c == u')')
        return press(*CalcKeys::fromLabel(text));
    for (const auto& [character, key] : typedKeys) {
        if (c == character)
            return press(key);
    }
    return {};
}

} // namespace

namespace KeyRouting {

Action route(const Input& input) {
    if (!(input.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (const Action action = typed(input.key, input.text); action.kind != Action::Kind::none)
            return action;
    }
    switch (input.shortcut) {
    case Shortcut::copy:
        return {Action::Kind::copyEuro};
    case Shortcut::paste:
        return press(CalcKey::paste);
    case Shortcut::none:
        break;
    }
    if (input.key == Qt::Key_Q && (input.modifiers & Qt::ControlModifier))
        return {Action::Kind::quit};
    return {};
}

} // namespace KeyRouting
