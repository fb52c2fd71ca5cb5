#include "model/currency.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct CurrencyRow {
    Currency currency;
    const char* code;
    const char16_t* symbol;
    int digits;
};

const CurrencyRow currencyTable[] = {
    {Currency::eur, "EUR", u"\u20AC", 4},
    {Currency::usd, "USD", u"$", 4},
    {Currency::thb, "THB", u"\u0E3F", 3},
    {Currency::pln, "PLN", u"z\u0142", 4},
};

TEST(Currency, CodesSymbolsDigitsAndOrder) {
    ASSERT_EQ(std::size(currencyTable), Currencies::allCases.size());
    for (std::size_t i = 0; i < Currencies::allCases.size(); ++i) {
        const CurrencyRow& row = currencyTable[i];
        SCOPED_TRACE(row.code);
        EXPECT_EQ(Currencies::allCases[i], row.currency);
        EXPECT_EQ(Currencies::code(row.currency), QString::fromLatin1(row.code));
        EXPECT_EQ(Currencies::symbol(row.currency), QString::fromUtf16(row.symbol));
        EXPECT_EQ(rateDigits(row.currency), row.digits);
        EXPECT_EQ(Currencies::fromCode(Currencies::code(row.currency)), row.currency);
    }
}

TEST(Currency, ParsingIsExactAndCaseSensitive) {
    for (const char16_t* text :
         {u"thb", u"Thb", u" THB", u"THB ", u"", u"EURO", u"EU", u"\u20AC"}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_FALSE(Currencies::fromCode(QString::fromUtf16(text)).has_value());
    }
    // An embedded NUL must not let a longer text pass as a code.
    EXPECT_FALSE(Currencies::fromCode(QStringView(u"THB\0X", 5)).has_value());
}

} // namespace
