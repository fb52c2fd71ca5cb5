// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calc_key.h"

#include <array>

namespace {

struct Entry {
    CalcKey key;
    const char16_t* label;
    const char16_t* spoken; // where the label is a sign a screen reader would read oddly
};

constexpr std::array<Entry, 21> keyTable{{
    {CalcKey::digit0, u"0", nullptr},
    {CalcKey::digit1, u"1", nullptr},
    {CalcKey::digit2, u"2", nullptr},
    {CalcKey::digit3, u"3", nullptr},
    {CalcKey::digit4, u"4", nullptr},
    {CalcKey::digit5, u"5", nullptr},
    {CalcKey::digit6, u"6", nullptr},
    {CalcKey::digit7, u"7", nullptr},
    {CalcKey::digit8, u"8", nullptr},
    {CalcKey::digit9, u"9", nullptr},
    {CalcKey::comma, u",", u"Komma"},
    {CalcKey::openParen, u"(", u"Klammer auf"},
    {CalcKey::closeParen, u")", u"Klammer zu"},
    {CalcKey::plus, u"+", u"Plus"},
    {CalcKey::minus, u"\u2212", u"Minus"},
    {CalcKey::times, u"\u00D7", u"Mal"},
    {CalcKey::divide, u"\u00F7", u"Geteilt durch"},
    {CalcKey::equals, u"=", u"Gleich"},
    {CalcKey::clear, u"C", u"L\u00F6schen"},
    {CalcKey::backspace, u"\u232B", u"R\u00FCcktaste"},
    {CalcKey::paste, u"Einf\u00FCgen", nullptr},
}};

} // namespace

namespace CalcKeys {

QString label(CalcKey key) {
    for (const Entry& entry : keyTable) {
        if (entry.key == key)
            return QString::fromUtf16(entry.label);
    }
    return {};
}

QString spokenName(CalcKey key) {
    for (const Entry& entry : keyTable) {
        if (entry.key == key)
            return QString::fromUtf16(entry.spoken ? entry.spoken : entry.label);
    }
    return {};
}

std::optional<CalcKey> fromLabel(QStringView text) {
    for (const Entry& entry : keyTable) {
        if (text == QStringView(entry.label))
            return entry.key;
    }
    return std::nullopt;
}

bool isOperator(CalcKey key) {
    return key == CalcKey::plus || key == CalcKey::minus || key == CalcKey::times ||
           key == CalcKey::divide;
}

bool isOperatorLabel(QStringView text) {
    const auto key = fromLabel(text);
    return key && isOperator(*key);
}

} // namespace CalcKeys
