// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/theme.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(Theme, NamedLooksUpStoredIds) {
    const std::pair<std::optional<QString>, const char*> rows[] = {
        {std::nullopt, "navy"},
        {QString(), "navy"},
        {QStringLiteral("nope"), "navy"},
        {QStringLiteral("Graphit"), "navy"},
        {QStringLiteral("lightBlue"), "navy"},
        {QStringLiteral("lightblue"), "lightblue"},
        {QStringLiteral("graphite"), "graphite"},
        {QStringLiteral("white"), "white"},
        {QStringLiteral("brown"), "lightblue"},
        {QStringLiteral("bordeaux"), "lightblue"},
        {QStringLiteral("Brown"), "navy"},
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
