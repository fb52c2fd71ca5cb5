// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/currency.h"

#include <algorithm>

namespace {

QString fromView(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QStringList longestFirst() {
    QStringList words;
    for (const CurrencyRow& row : Currencies::table)
        words += fromView(row.words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const CurrencyRow& row : Currencies::table)
        words.append(fromView(row.code));
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return words;
}

} // namespace

namespace Currencies {

QString code(Currency c) {
    return fromView(row(c).code);
}

QString symbol(Currency c) {
    return fromView(row(c).symbol);
}

std::optional<Currency> fromCode(QStringView text) {
    for (const CurrencyRow& row : table) {
        if (text == QStringView(row.code.data(), qsizetype(row.code.size())))
            return row.currency;
    }
    return std::nullopt;
}

const QStringList& pastedWords() {
    static const QStringList words = longestFirst();
    return words;
}

const QStringList& pastedSymbols() {
    static const QStringList symbols = [] {
        QStringList all;
        for (const CurrencyRow& row : table)
            all.append(fromView(row.symbol));
        return all;
    }();
    return symbols;
}

} // namespace Currencies

int rateDigits(Currency c) {
    return Currencies::row(c).rateDigits;
}
