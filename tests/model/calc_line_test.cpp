// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calc_line.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Visible blank at the end of a line in the tables: "12 +␣".
QString line(const char16_t* text) {
    return QString::fromUtf16(text).replace(QChar(u'\u2423'), QLatin1Char(' '));
}

CalcKey key(const char16_t* label) {
    const auto k = CalcKeys::fromLabel(QStringView(label));
    EXPECT_TRUE(k.has_value()) << QString::fromUtf16(label).toStdString();
    return k.value_or(CalcKey::clear);
}

// A line brought to `text` by its own keys, so that it does not show a result.
CalcLine typed(const QString& text) {
    CalcLine l;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString ch = text.mid(i, 1);
        if (CalcKeys::isOperatorLabel(ch) && i > 0 && text[i - 1] == QLatin1Char(' ')) {
            (void)l.apply(*CalcKeys::fromLabel(ch));
            ++i; // the key writes its own trailing blank
        } else if (ch != QLatin1String(" ")) {
            (void)l.apply(*CalcKeys::fromLabel(ch));
        }
    }
    EXPECT_EQ(l.text(), text);
    return l;
}

// A line before, what is done to it (a key's label, or the clipboard's text), the line after.
struct Edit {
    const char16_t* before;
    const char16_t* input;
    const char16_t* after;
};

TEST(CalcKeys, EveryLabelNamesItsKey) {
    for (int i = 0; i <= static_cast<int>(CalcKey::paste); ++i) {
        const auto k = static_cast<CalcKey>(i);
        EXPECT_EQ(CalcKeys::fromLabel(CalcKeys::label(k)), k) << i;
    }
    EXPECT_FALSE(CalcKeys::fromLabel(u"x").has_value());
    EXPECT_FALSE(CalcKeys::fromLabel(u"").has_value());
}

TEST(CalcLine, KeysAndActionsTable) {
    const Edit rows[] = {
        {u"", u"\u00D7", u""},
        {u"", u"\u00F7", u""},
        {u"", u"+", u""},
        {u"", u"\u2212", u"\u2212"},
        {u"\u2212", u"+", u""},
        {u"\u2212", u"\u2212", u"\u2212"},
        {u"\u2212", u"5", u"\u22125"},
        {u"12 +\u2423", u"\u00D7", u"12 \u00D7\u2423"},
        {u"12 + 3", u"\u232B", u"12 +\u2423"},
        {u"12 +\u2423", u"\u232B", u"12"},
        {u"12", u"\u232B", u"1"},
        {u"1", u"\u232B", u""},
        {u"", u"\u232B", u""},
        {u"12 +\u2423", u"=", u"12"},
        {u"(2 + 3", u"=", u"(2 + 3"},
        {u"", u"=", u""},
        {u"2 \u00F7 3", u"=", u"0,666667"},
        {u"12", u"C", u""},
        {u"007", u"1", u"0071"},
        {u"1,5,5", u"+", u"1,5,5 +\u2423"},
    };
    for (const Edit& row : rows) {
        CalcLine l = typed(line(row.before));
        (void)l.apply(key(row.input));
        EXPECT_EQ(l.text(), line(row.after)) << line(row.before).toStdString() << " + "
                                             << QString::fromUtf16(row.input).toStdString();
    }
}

TEST(CalcLine, KeysThatCannotActSayTheyWroteNothing) {
    CalcLine empty;
    EXPECT_FALSE(empty.apply(CalcKey::backspace));
    EXPECT_FALSE(empty.apply(CalcKey::equals));
    EXPECT_FALSE(empty.apply(CalcKey::paste)); // needs the clipboard: paste() does it
    CalcLine open = typed("(2 + 3");
    EXPECT_FALSE(open.apply(CalcKey::equals));
    EXPECT_TRUE(open.apply(CalcKey::clear));
}

TEST(CalcLine, TypicalSequenceWithPreviewAndResultState) {
    struct Step {
        const char16_t* key;
        const char16_t* line;
        const char* preview; // nullptr: none
        bool showsResult;
    };
    const Step steps[] = {
        {u"1", u"1", nullptr, false},
        {u"2", u"12", nullptr, false},
        {u"+", u"12 +\u2423", nullptr, false},
        {u"\u2212", u"12 \u2212\u2423", nullptr, false},
        {u"3", u"12 \u2212 3", "= 9,00", false},
        {u"=", u"9", nullptr, true},
        {u"\u00D7", u"9 \u00D7\u2423", nullptr, false},
        {u"2", u"9 \u00D7 2", "= 18,00", false},
        {u"=", u"18", nullptr, true},
        {u"4", u"4", nullptr, false},
    };
    CalcLine l;
    for (const Step& step : steps) {
        (void)l.apply(key(step.key));
        SCOPED_TRACE(QString::fromUtf16(step.key).toStdString());
        EXPECT_EQ(l.text(), line(step.line));
        EXPECT_EQ(l.preview(), step.preview ? std::optional<QString>(step.preview) : std::nullopt);
        EXPECT_EQ(l.showsResult(), step.showsResult);
    }
}

TEST(CalcLine, AfterEqualsPlainKeysStartAfreshAndBackspaceEdits) {
    for (const auto& [k, expected] :
         {std::pair{CalcKey::comma, u","}, std::pair{CalcKey::backspace, u"1"}}) {
        CalcLine l = typed("9 \u00D7 2");
        (void)l.apply(CalcKey::equals);
        ASSERT_EQ(l.text(), "18");
        (void)l.apply(k);
        EXPECT_EQ(l.text(), QString::fromUtf16(expected));
        EXPECT_FALSE(l.showsResult());
    }
}

TEST(CalcLine, PasteTable) {
    const Edit rows[] = {
        {u"12 \u00D7\u2423", u"5", u"12 \u00D7 5"},
        {u"(", u"5", u"(5"},
        {u"12", u"5", u"5"},
        {u"12", u"abc", u"12"},
        {u"", u"12 kg", u"12"},
        {u"", u"2 x 3", u"2 \u00D7 3"},
        {u"", u"1.234,56 \u20AC", u"1234,56"},
        {u"7", u"", u"7"},
        {u"7", u"\x01\x02\uFFFD", u"7"},
        {u"7", u"5 / 0", u"5 / 0"}, // an expression arrives unevaluated
        {u"7", u"(((", u"((("},     // three tokens: an expression, however unfinished
        {u"7", u"1,2,3.4.5", u"7"}, // a figure that does not read changes nothing
    };
    for (const Edit& row : rows) {
        CalcLine l = typed(line(row.before));
        (void)l.paste(QString::fromUtf16(row.input));
        EXPECT_EQ(l.text(), line(row.after)) << QString::fromUtf16(row.input).toStdString();
    }
}

TEST(CalcLine, ValueAndPreviewOfLines) {
    struct Row {
        const char16_t* line;
        std::optional<double> value;
        std::optional<QString> preview;
    };
    const Row rows[] = {
        {u"12 + 3", 15, QStringLiteral("= 15,00")},
        {u"12", 12, std::nullopt},
        {u"12 +\u2423", 12, std::nullopt},
        {u"1000 \u00D7 1000", 1e6, QStringLiteral("= 1.000.000,00")},
        {u"(2 + 3", std::nullopt, std::nullopt},
        {u"", std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        const CalcLine l = typed(line(row.line));
        EXPECT_EQ(l.value(), row.value) << line(row.line).toStdString();
        EXPECT_EQ(l.preview(), row.preview) << line(row.line).toStdString();
    }
}

TEST(CalcLine, InsertedFiguresContinueOrReplace) {
    struct Row {
        const char16_t* before;
        const char16_t* after;
        bool appended;
    };
    const Row rows[] = {
        {u"100 \u00D7\u2423", u"100 \u00D7 39,457", true},
        {u"(", u"(39,457", true},
        {u"12", u"39,457", false},
        {u"", u"39,457", false},
    };
    for (const Row& row : rows) {
        CalcLine l = typed(line(row.before));
        EXPECT_EQ(l.insert("39,457"), row.appended);
        EXPECT_EQ(l.text(), line(row.after));
        EXPECT_FALSE(l.showsResult());
    }
}

} // namespace
