// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/currency.h"

namespace Currencies {

QString code(Currency c) {
    switch (c) {
    case Currency::eur:
        return QStringLiteral("EUR");
    case Currency::usd:
        return QStringLiteral("USD");
    case Currency::thb:
        return QStringLiteral("THB");
    case Currency::pln:
        return QStringLiteral("PLN");
    }
    return {};
}

QString symbol(Currency c) {
    switch (c) {
    case Currency::eur:
        return QStringLiteral("\u20AC");
    case Currency::usd:
        return QStringLiteral("$");
    case Currency::thb:
        return QStringLiteral("\u0E3F");
    case Currency::pln:
        return QStringLiteral("z\u0142");
    }
    return {};
}

std::optional<Currency> fromCode(QStringView text) {
    for (Currency c : allCases) {
        if (text == code(c))
            return c;
    }
    return std::nullopt;
}

} // namespace Currencies

int rateDigits(Currency c) {
    return c == Currency::thb ? 3 : 4;
}
