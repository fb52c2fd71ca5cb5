// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calculator.h"
#include "support/qt_printers.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QString u(const char16_t* text) {
    return QString::fromUtf16(text);
}

struct EvalRow {
    const char16_t* input;
    std::optional<double> value;
};

void expectValues(std::initializer_list<EvalRow> rows) {
    for (const EvalRow& row : rows)
        EXPECT_EQ(Calculator::evaluate(u(row.input)), row.value) << u(row.input).toStdString();
}

TEST(Calculator, Figures) {
    expectValues({
        {u"1.234", 1.234},
        {u"1,234", 1.234},
        {u"1.234.567", 1234567},
        {u"1,234,567", 1234567},
        {u"1.234,56", 1234.56},
        {u"1,234.56", 1234.56},
        {u"1.234.567,89", 1234567.89},
        {u"1,2,3.4.5", std::nullopt},
        {u"1.2.3,4,5", std::nullopt},
        {u",", std::nullopt},
        {u".", std::nullopt},
        {u"5.", 5},
        {u".5", 0.5},
        {u",5", 0.5},
        {u"007", 7},
        {u"1 000", 1000},
        {u"12 34", 1234},
        {u"1\u00A0000\u202F000\u2009000", 1000000000},
        {u"1\t0\n0\r0", 1000},
    });
}

TEST(Calculator, Arithmetic) {
    expectValues({
        {u"12,5 \u00D7 3", 37.5},
        {u"12,5 * 3", 37.5},
        {u"12,5 \u00B7 3", 37.5},
        {u"12,5 x 3", 37.5},
        {u"12,5 X 3", 37.5},
        {u"12.5 \u00D7 3", 37.5},
        {u"1 000 + 1", 1001},
        {u"1.000 + 1", 2},
        {u"1.000.000 + 1", 1000001},
        {u"\u22125", -5},
        {u"\u20135", -5},
        {u"\u20145", -5},
        {u"(2 + 3) \u00D7 4", 20},
        {u"2 + 3 \u00D7 4", 14},
        {u"-(2 + 3)", -5},
        {u"((2))", 2},
        {u"0 / 7", 0},
        {u"10:4", 2.5},
        {u"10 \u00F7 4", 2.5},
        {u"3x4", 12},
        {u"--5", 5},
        {u"-+5", -5},
        {u"2*-3", -6},
        {u"2--3", 5},
        {u"8 / 2 / 2", 2},
        {u"8 - 2 - 2", 4},
        {u"0.1 + 0.2", 0.1 + 0.2},
    });
}

TEST(Calculator, IncompleteOrInvalidExpressionsGiveNothing) {
    expectValues({
        {u"()", std::nullopt},
        {u"(2", std::nullopt},
        {u"2)", std::nullopt},
        {u"2(3)", std::nullopt},
        {u"(2)3", std::nullopt},
        {u"7 / 0", std::nullopt},
        {u"7 / (1 - 1)", std::nullopt},
        {u"7 / -0", std::nullopt},
        {u"5 +", std::nullopt},
        {u"+", std::nullopt},
        {u"* 5", std::nullopt},
        {u"/ 5", std::nullopt},
        {u"5 * * 3", std::nullopt},
        {u"10 kg", std::nullopt},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"5\r\n", std::nullopt},
        {u"5%", std::nullopt},
        {u"5 = 5", std::nullopt},
        {u"1e5", std::nullopt},
        {u"\uFF15", std::nullopt},  // fullwidth digit
        {u"5\u0301", std::nullopt}, // digit with a combining accent
    });
}

TEST(Calculator, CurrencyNamesAndSymbolsAreIgnored) {
    expectValues({
        {u"10 Euro", 10},
        {u"\u20AC 10", 10},
        {u"10 EUR", 10},
        {u"10 eur", 10},
        {u"10 EURO", 10},
        {u"100 EUR + 5 USD", 105},
        {u"$5", 5},
        {u"5 Dollar", 5},
        {u"5 DOLLAR", 5},
        {u"\u0E3F 40", 40},
        {u"40 Baht", 40},
        {u"40 thb", 40},
        {u"4 z\u0142", 4},
        {u"4 Z\u0141OTY", 4},
        {u"4 Zloty", 4},
        {u"4 PLN", 4},
        {u"4 zl", 4},
        {u"4 Z\u0141", std::nullopt}, // the symbol is matched exactly
        {u"Euros", std::nullopt},     // the trailing s is no figure
    });
}

TEST(Calculator, IsExpression) {
    const std::pair<const char16_t*, bool> rows[] = {
        {u"5", false},    {u"\u22125", false},
        {u"5 +", false},  {u"(5)", true},
        {u"5 + 3", true}, {u"--5", true},
        {u"5 + *", true}, {u"10 kg", false},
        {u"", false},     {u"12 \u00D7 3 EUR", true},
    };
    for (const auto& [input, expected] : rows)
        EXPECT_EQ(Calculator::isExpression(u(input)), expected) << u(input).toStdString();
}

TEST(Calculator, CleanPasted) {
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"\u20AC 1.234,56", u"1.234,56"},
        {u"12 x 3 THB", u"12 \u00D7 3"},
        {u"Total: 45,90 EUR", u"45,90"},
        {u"2 * 3 =", u"2 * 3"},
        {u"= -5 %", u"-5"},
        {u"+49 (0) 30", u"49 (0) 30"},
        {u"3 \u2212", u"3"},
        {u"EUR", u""},
        {u".", u""},
        {u"-5", u"-5"},
        {u"+5", u"5"},
        {u"(5)", u"(5)"},
        {u"10 kg", u"10"},
        {u"5\r\n", u"5"},
        {u"in a box 5x", u"5"},
        {u"5 x", u"5"},
        {u"x 5", u"5"},
        {u"3x4", u"3\u00D74"},
        {u"\u00BD x 2", u"2"}, // a numeric neighbour counts, but only ASCII digits are kept
        {u"1\u00A0000", u"1 000"},
        {u"a\tb\nc  7", u"7"},
        {u"\u2212\u2013 5 \u00F7", u"\u2212\u2013 5"},
        {u"", u""},
    };
    for (const auto& [input, expected] : rows)
        EXPECT_EQ(Calculator::cleanPasted(u(input)), u(expected)) << u(input).toStdString();
}

TEST(Calculator, CleanedTextIsMadeOnlyOfTheAcceptedCharacters) {
    const QString allowed = u(u".,+-\u2212\u2013*\u00D7/\u00F7() 0123456789");
    QRandomGenerator rng(7);
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int i = 0; i < 40; ++i)
            text.append(QChar(char16_t(rng.bounded(0x10000))));
        const QString cleaned = Calculator::cleanPasted(text);
        for (QChar c : cleaned)
            ASSERT_TRUE(allowed.contains(c)) << std::hex << int(c.unicode());
        EXPECT_FALSE(cleaned.contains(QLatin1String("  ")));
        if (!cleaned.isEmpty()) {
            EXPECT_FALSE(QStringView(u"+*\u00D7/\u00F7., ").contains(cleaned.front()));
            EXPECT_FALSE(QStringView(u"+-\u2212\u2013*\u00D7/\u00F7., ").contains(cleaned.back()));
        }
    }
}

TEST(Calculator, DeepNestingIsRefusedNotOverflowed) {
    auto nested = [](int depth) {
        return QString(depth, QLatin1Char('(')) + QLatin1Char('7') +
               QString(depth, QLatin1Char(')'));
    };
    EXPECT_EQ(Calculator::evaluate(nested(100)), 7);
    EXPECT_EQ(Calculator::evaluate(nested(Calculator::maxNesting)), std::nullopt);
    EXPECT_EQ(Calculator::evaluate(nested(50000)), std::nullopt);
    EXPECT_EQ(Calculator::evaluate(QString(100, QLatin1Char('-')) + QLatin1Char('5')), 5);
    EXPECT_EQ(Calculator::evaluate(QString(100000, QLatin1Char('-')) + QLatin1Char('5')),
              std::nullopt);
    EXPECT_EQ(Calculator::evaluate(QString(40000, QLatin1Char('('))), std::nullopt);
    EXPECT_TRUE(Calculator::isExpression(nested(50000)));
}

TEST(Calculator, HugeAndHostileInputGivesAValueOrNothing) {
    QString sum;
    for (int i = 0; i < 100000; ++i)
        sum += QLatin1String("1+");
    sum += QLatin1Char('1');
    EXPECT_EQ(Calculator::evaluate(sum), 100001);

    const QString digits(1 << 20, QLatin1Char('9'));
    EXPECT_EQ(Calculator::evaluate(digits), std::nullopt); // overflows to infinity
    EXPECT_FALSE(Calculator::isExpression(digits));
    EXPECT_EQ(Calculator::cleanPasted(digits), digits);

    const QString tiny = QLatin1String("0,") + QString(400, QLatin1Char('0')) + QLatin1Char('1');
    EXPECT_EQ(Calculator::evaluate(tiny), 0);
    const QString product =
        QString(200, QLatin1Char('9')) + QLatin1Char('*') + QString(200, QLatin1Char('9'));
    EXPECT_EQ(Calculator::evaluate(product), std::nullopt);

    const QString loneSurrogates = QString(QChar(0xD800)) + QLatin1Char('5') + QChar(0xDFFF);
    EXPECT_EQ(Calculator::evaluate(loneSurrogates), std::nullopt);
    EXPECT_EQ(Calculator::cleanPasted(loneSurrogates), "5");
    EXPECT_EQ(Calculator::evaluate(QString(1000, QChar(0))), std::nullopt);

    QRandomGenerator rng(11);
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int i = 0; i < 64; ++i)
            text.append(QChar(char16_t(rng.bounded(0x10000))));
        // Whatever the cleaner keeps must be text the calculator reads without trouble; any
        // value it gives is finite.
        if (const auto value = Calculator::evaluate(Calculator::cleanPasted(text))) {
            EXPECT_TRUE(std::isfinite(*value));
        }
    }
}

} // namespace
