// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/currency.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(Currency, ParsingIsExactAndCaseSensitive) {
    for (Currency c : Currencies::allCases)
        EXPECT_EQ(Currencies::fromCode(Currencies::code(c)), c);
    for (const char16_t* text :
         {u"thb", u"Thb", u" THB", u"THB ", u"", u"EURO", u"EU", u"\u20AC"}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_FALSE(Currencies::fromCode(QString::fromUtf16(text)).has_value());
    }
    // An embedded NUL must not let a longer text pass as a code.
    EXPECT_FALSE(Currencies::fromCode(QStringView(u"THB\0X", 5)).has_value());
}

} // namespace
