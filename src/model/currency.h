// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

enum class Currency { eur, usd, thb, pln };

// Everything the program knows of one currency. Every rate is given per euro, the home currency.
struct CurrencyRow {
    Currency currency;
    std::u16string_view code; // ISO 4217: the stored form, and the central bank's key
    std::u16string_view symbol;
    // What else a pasted text may call it, blank-separated.
    std::u16string_view words;
    // Its key in the primary feed; the euro's names the feed's document of euro rates.
    std::string_view feedKey;
    // A primary-feed rate per euro at or below this is a fault of the feed, not a price.
    double lowestRate;
    int rateDigits; // fraction digits with which its rate per euro is shown
};

namespace Currencies {

// In the fixed order in which currencies are listed everywhere, which is also the enum's order.
inline constexpr std::array<CurrencyRow, 4> table{{
    {Currency::eur, u"EUR", u"\u20AC", u"euro", "eur", 0.0, 4},
    {Currency::usd, u"USD", u"$", u"dollar", "usd", 0.1, 4},
    {Currency::thb, u"THB", u"\u0E3F", u"baht", "thb", 1.0, 3},
    {Currency::pln, u"PLN", u"z\u0142", u"z\u0142oty zloty zl", "pln", 0.1, 4},
}};

inline constexpr std::array<Currency, table.size()> allCases = [] {
    std::array<Currency, table.size()> all{};
    for (std::size_t i = 0; i < table.size(); ++i)
        all[i] = table[i].currency;
    return all;
}();
static_assert(
    [] {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i].currency != Currency(i))
                return false;
        }
        return true;
    }(),
    "the table lists the currencies in the enum's order");

constexpr const CurrencyRow& row(Currency c) {
    return table[std::size_t(c)];
}

// The foreign currency the program is made for: on from the first start, the amount currency
// whenever it is on, and the one whose rate the tray shows.
inline constexpr Currency featured = Currency::thb;

QString code(Currency c);
QString symbol(Currency c);

// Accepts exactly the upper-case codes; anything else (lower case, blanks) is no currency.
std::optional<Currency> fromCode(QStringView code);

// Every name, code and symbol the paste cleaner blanks out: the words (codes and the words of
// every row, compared without regard to case) longest first, so that "Euro" goes as a whole
// before "EUR" could leave its "o" behind; the symbols apart, compared exactly.
const QStringList& pastedWords();
const QStringList& pastedSymbols();

} // namespace Currencies

// Fraction digits with which a rate per euro is shown.
int rateDigits(Currency c);
