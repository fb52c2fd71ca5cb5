// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_routing.h"

#include <utility>

namespace {

// Typed characters other than digits and parentheses, and the key each one presses.
constexpr std::pair<char16_t, CalcKey> typedKeys[] = {
    {u',', CalcKey::comma},  {u'.', CalcKey::comma},  {u'+', CalcKey::plus},
    {u'-', CalcKey::minus},  {u'*', CalcKey::times},  {u'x', CalcKey::times},
    {u'X', CalcKey::times},  {u'/', CalcKey::divide}, {u':', CalcKey::divide},
    {u'=', CalcKey::equals}, {u'c', CalcKey::clear},  {u'C', CalcKey::clear},
};

} // namespace

namespace KeyRouting {

std::optional<Action> route(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    auto press = [](CalcKey key) { return Action{Action::Kind::press, key}; };

    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return press(CalcKey::equals);
    case Qt::Key_Backspace:
        return press(CalcKey::backspace);
    case Qt::Key_Delete:
        return press(CalcKey::clear);
    case Qt::Key_Escape:
        return Action{Action::Kind::hide};
    default:
        break;
    }

    if (text.size() != 1)
        return std::nullopt;
    const char16_t c = text[0].unicode();
    if ((c >= u'0' && c <= u'9') || c == u'(' || c == u')')
        return press(*CalcKeys::fromLabel(text));
    for (const auto& [typed, key] : typedKeys) {
        if (c == typed)
            return press(key);
    }
    return std::nullopt;
}

} // namespace KeyRouting
