#include "support/model_fixture.h"

namespace {

using EditingTest = ModelTest;

// Brings the model's line to `text` by its own keys, so showsResult is false as after typing.
void typeLine(AppModel& m, const QString& text) {
    m.press("C");
    QString figure;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString ch = text.mid(i, 1);
        if (AppModel::operators.contains(ch) && i > 0 && text[i - 1] == QLatin1Char(' ')) {
            m.press(ch);
            ++i; // the key writes its own trailing blank
        } else if (ch != QLatin1String(" ")) {
            m.press(ch);
        }
    }
    ASSERT_EQ(m.calcText(), text);
}

TEST_F(EditingTest, KeysAndActionsTable) {
    struct Row {
        const char16_t* before;
        const char16_t* key;
        const char16_t* after;
    };
    const Row rows[] = {
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
    AppModel& m = model();
    for (const Row& row : rows) {
        typeLine(m, line(row.before));
        m.press(QString::fromUtf16(row.key));
        EXPECT_EQ(m.calcText(), line(row.after))
            << line(row.before).toStdString() << " + " << QString::fromUtf16(row.key).toStdString();
    }
}

TEST_F(EditingTest, TypicalSequenceWithPreviewAndResultState) {
    struct Step {
        const char16_t* key;
        const char16_t* line;
        const char* preview; // nullptr: none
        bool showsResult;
    };
    const Step steps[] = {
        {u"1", u"1", nullptr, false},        {u"2", u"12", nullptr, false},
        {u"+", u"12 +\u2423", nullptr, false}, {u"\u2212", u"12 \u2212\u2423", nullptr, false},
        {u"3", u"12 \u2212 3", "= 9,00", false}, {u"=", u"9", nullptr, true},
        {u"\u00D7", u"9 \u00D7\u2423", nullptr, false}, {u"2", u"9 \u00D7 2", "= 18,00", false},
        {u"=", u"18", nullptr, true},        {u"4", u"4", nullptr, false},
    };
    AppModel& m = model();
    for (const Step& step : steps) {
        m.press(QString::fromUtf16(step.key));
        SCOPED_TRACE(QString::fromUtf16(step.key).toStdString());
        EXPECT_EQ(m.calcText(), line(step.line));
        EXPECT_EQ(m.calcPreview(), step.preview ? std::optional<QString>(step.preview) : std::nullopt);
        EXPECT_EQ(m.showsResult(), step.showsResult);
    }
}

TEST_F(EditingTest, AfterEqualsPlainKeysStartAfreshAndBackspaceEdits) {
    AppModel& m = model();
    for (const auto& [key, expected] : {std::pair{u",", u","}, std::pair{u"\u232B", u"1"}}) {
        typeLine(m, "9 \u00D7 2");
        m.press("=");
        ASSERT_EQ(m.calcText(), "18");
        m.press(QString::fromUtf16(key));
        EXPECT_EQ(m.calcText(), QString::fromUtf16(expected));
        EXPECT_FALSE(m.showsResult());
    }
}

TEST_F(EditingTest, PasteTable) {
    struct Row {
        const char16_t* before;
        const char16_t* clipboard;
        const char16_t* after;
    };
    const Row rows[] = {
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
        {u"7", u"(((", u"((("},    // three tokens: an expression, however unfinished
        {u"7", u"1,2,3.4.5", u"7"}, // a figure that does not read changes nothing
    };
    AppModel& m = model();
    for (const Row& row : rows) {
        typeLine(m, line(row.before));
        setClipboard(QString::fromUtf16(row.clipboard));
        m.press(QStringLiteral("Einf\u00FCgen"));
        EXPECT_EQ(m.calcText(), line(row.after)) << QString::fromUtf16(row.clipboard).toStdString();
    }
}

TEST_F(EditingTest, PasteOfNothingOrTooMuchChangesNothing) {
    AppModel& m = model();
    typeLine(m, "42");
    QGuiApplication::clipboard()->clear();
    m.pasteIntoCalculator();
    EXPECT_EQ(m.calcText(), "42");

    auto* image = new QMimeData;
    image->setData("image/png", QByteArray("\x89PNG\r\n\x1a\n", 8));
    QGuiApplication::clipboard()->setMimeData(image);
    m.pasteIntoCalculator();
    EXPECT_EQ(m.calcText(), "42");

    setClipboard(QString((1 << 20) + 1, QLatin1Char('7')));
    m.pasteIntoCalculator();
    EXPECT_EQ(m.calcText(), "42");

    setClipboard(QString(1 << 19, QLatin1Char('7')) + " + 1");
    m.pasteIntoCalculator();
    EXPECT_TRUE(m.calcText().endsWith(" + 1"));
}

TEST_F(EditingTest, ValueAndPreviewOfLines) {
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
    AppModel& m = model();
    for (const Row& row : rows) {
        typeLine(m, line(row.line));
        EXPECT_EQ(m.calcValue(), row.value) << line(row.line).toStdString();
        EXPECT_EQ(m.calcPreview(), row.preview) << line(row.line).toStdString();
    }
}

} // namespace
