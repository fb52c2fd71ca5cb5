// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

enum class Currency { eur, usd, thb, pln };

namespace Currencies {

// The fixed order in which currencies are listed everywhere.
inline constexpr std::array<Currency, 4> allCases{Currency::eur, Currency::usd, Currency::thb,
                                                  Currency::pln};

// The ISO 4217 code, also the form in which a currency is stored.
QString code(Currency c);
QString symbol(Currency c);

// Accepts exactly the four upper-case codes; anything else (lower case, blanks) is no currency.
std::optional<Currency> fromCode(QStringView code);

} // namespace Currencies

// Fraction digits with which a rate per euro is shown.
int rateDigits(Currency c);
