#include "model/calc_key.h"

namespace {

struct Entry {
    CalcKey key;
    const char16_t* label;
};

constexpr std::array<Entry, 21> keyTable{{
    {CalcKey::digit0, u"0"},
    {CalcKey::digit1, u"1"},
    {CalcKey::digit2, u"2"},
    {CalcKey::digit3, u"3"},
    {CalcKey::digit4, u"4"},
    {CalcKey::digit5, u"5"},
    {CalcKey::digit6, u"6"},
    {CalcKey::digit7, u"7"},
    {CalcKey::digit8, u"8"},
    {CalcKey::digit9, u"9"},
    {CalcKey::comma, u","},
    {CalcKey::openParen, u"("},
    {CalcKey::closeParen, u")"},
    {CalcKey::plus, u"+"},
    {CalcKey::minus, u"\u2212"},
    {CalcKey::times, u"\u00D7"},
    {CalcKey::divide, u"\u00F7"},
    {CalcKey::equals, u"="},
    {CalcKey::clear, u"C"},
    {CalcKey::backspace, u"\u232B"},
    {CalcKey::paste, u"Einf\u00FCgen"},
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

bool typesItself(CalcKey key) {
    return (key >= CalcKey::digit0 && key <= CalcKey::digit9) || key == CalcKey::comma ||
           key == CalcKey::openParen || key == CalcKey::closeParen;
}

} // namespace CalcKeys
