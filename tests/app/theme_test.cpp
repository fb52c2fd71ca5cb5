#include "app/theme.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Theme, BuiltInsInPickerOrder) {
    const auto& all = Theme::all();
    const char* ids[] = {"navy", "graphite", "lightblue", "white"};
    const char16_t* names[] = {u"Navy", u"Graphit", u"Hellblau", u"Wei\u00DF"};
    const ColorScheme schemes[] = {ColorScheme::dark, ColorScheme::dark, ColorScheme::light,
                                   ColorScheme::light};
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].id, ids[i]);
        EXPECT_EQ(all[i].name, QString::fromUtf16(names[i]));
        EXPECT_EQ(all[i].scheme, schemes[i]);
    }
    EXPECT_EQ(&Theme::navy(), &all[0]);
    EXPECT_EQ(&Theme::white(), &all[3]);
}

// The decimal components are the values; the usual hex forms of these colours are their
// 8-bit roundings, which is checked here against a few slots of each theme.
TEST(Theme, SlotsMatchTheirEightBitForms) {
    auto hex = [](const Rgba& c) {
        auto byte = [](double v) { return int(std::lround(v * 255)); };
        return QStringLiteral("#%1%2%3")
            .arg(byte(c.r), 2, 16, QLatin1Char('0'))
            .arg(byte(c.g), 2, 16, QLatin1Char('0'))
            .arg(byte(c.b), 2, 16, QLatin1Char('0'))
            .toUpper();
    };
    struct Row {
        const Theme& theme;
        Rgba Theme::*slot;
        const char* expected;
    };
    const Row rows[] = {
        {Theme::navy(), &Theme::background, "#0A1F3D"}, {Theme::navy(), &Theme::homeFill, "#FACC5C"},
        {Theme::navy(), &Theme::key, "#1C3D6E"},        {Theme::graphite(), &Theme::accent, "#FE9F0A"},
        {Theme::graphite(), &Theme::field, "#36373B"},  {Theme::graphite(), &Theme::homeText, "#0F1A14"},
        {Theme::lightBlue(), &Theme::text, "#0B3A7A"},  {Theme::lightBlue(), &Theme::warning, "#C24E00"},
        {Theme::lightBlue(), &Theme::homeFill, "#0C3A78"}, {Theme::white(), &Theme::key, "#DADFE8"},
        {Theme::white(), &Theme::background, "#ECEDF0"}, {Theme::white(), &Theme::warning, "#D96100"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(hex(row.theme.*row.slot), row.expected) << row.theme.id.toStdString();

    EXPECT_EQ(Theme::lightBlue().border, Theme::lightBlue().pressed);
    EXPECT_EQ(Theme::lightBlue().border, (Rgba{0.043, 0.227, 0.478, 0.18}));
    EXPECT_EQ(Theme::navy().homeText, Theme::navy().background);
    EXPECT_EQ(Theme::navy().border, (Rgba{1, 1, 1, 0.13}));
    EXPECT_EQ(Theme::white().pressed, (Rgba{0, 0, 0, 0.12}));
}

TEST(Theme, NamedLooksUpStoredIds) {
    const std::pair<std::optional<QString>, const char*> rows[] = {
        {std::nullopt, "navy"},        {QString(), "navy"},          {QStringLiteral("nope"), "navy"},
        {QStringLiteral("Graphit"), "navy"}, {QStringLiteral("lightBlue"), "navy"},
        {QStringLiteral("lightblue"), "lightblue"}, {QStringLiteral("graphite"), "graphite"},
        {QStringLiteral("white"), "white"}, {QStringLiteral("brown"), "lightblue"},
        {QStringLiteral("bordeaux"), "lightblue"}, {QStringLiteral("Brown"), "navy"},
    };
    for (const auto& [id, expected] : rows)
        EXPECT_EQ(Theme::named(id).id, expected) << id.value_or("<absent>").toStdString();
}

TEST(Theme, EqualityIsById) {
    Theme changed = Theme::graphite();
    changed.accent = Rgba{0, 0, 0, 1};
    EXPECT_EQ(changed, Theme::graphite());
    EXPECT_FALSE(Theme::navy() == Theme::white());
}

} // namespace
