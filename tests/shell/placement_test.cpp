// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/placement.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QSize panel(543, 420);

TEST(Placement, UnderTheIcon) {
    struct Row {
        const char* name;
        QRect icon, area;
        QPoint expected;
    };
    const QRect topBar(0, 28, 1512, 944);    // a 28-point panel at the top
    const QRect bottomBar(0, 0, 1920, 1040); // a 40-point panel at the bottom
    const QRect second(1920, 24, 1280, 776); // a second screen to the right
    const Row rows[] = {
        {"icon in the middle", QRect(700, 2, 24, 24), topBar, {700, 34}},
        {"icon at the far right", QRect(1480, 2, 24, 24), topBar, {1512 - 543 - 6, 34}},
        {"icon closer than 6 to the left", QRect(2, 2, 24, 24), topBar, {6, 34}},
        {"icon in a bottom panel",
         QRect(1800, 1048, 24, 24),
         bottomBar,
         {1920 - 543 - 6, 1040 - 6 - 420}},
        {"icon on a second screen",
         QRect(3100, 0, 22, 22),
         second,
         {1920 + 1280 - 543 - 6, 24 + 6}},
        {"area narrower than the panel: right bound wins",
         QRect(10, 0, 22, 22),
         QRect(0, 30, 400, 900),
         {400 - 543 - 6, 36}},
        {"icon inside the area", QRect(500, 40, 22, 22), topBar, {500, 66}},
    };
    for (const Row& row : rows) {
        const QRect frame = Placement::underIcon(row.icon, row.area, panel);
        EXPECT_EQ(frame.topLeft(), row.expected) << row.name;
        EXPECT_EQ(frame.size(), panel) << row.name;
    }
}

TEST(Placement, Centred) {
    EXPECT_EQ(Placement::centred(QRect(0, 0, 1280, 800), panel), QRect(368, 96, 543, 420));
    EXPECT_EQ(Placement::centred(QRect(0, 25, 1512, 957), panel).topLeft(), QPoint(484, 25 + 114));
    EXPECT_EQ(Placement::centred(Placement::assumedArea, panel).topLeft(), QPoint(448, 108));
}

TEST(Placement, FittingSizeAndFallback) {
    EXPECT_EQ(Placement::panelSize(QSize(543, 480)), QSize(543, 480));
    EXPECT_EQ(Placement::panelSize(QSize(80, 500)), Placement::fallbackSize);
    EXPECT_EQ(Placement::panelSize(QSize(543, 100)), Placement::fallbackSize);
    EXPECT_EQ(Placement::panelSize(QSize(101, 101)), QSize(101, 101));
    EXPECT_EQ(Placement::panelSize(QSize()), Placement::fallbackSize);
}

TEST(Placement, RefitKeepsTheTopEdge) {
    const QRect area(0, 28, 1512, 944);
    const QRect frame(700, 34, 543, 420);
    const QRect grown = Placement::refit(frame, QSize(543, 480), area);
    EXPECT_EQ(grown.top(), 34);
    EXPECT_EQ(grown.bottom() - frame.bottom(), 60);
    EXPECT_EQ(grown.left(), 700);
    // Pulled back from the right edge, but never pushed right of where it was.
    EXPECT_EQ(Placement::refit(QRect(1200, 34, 543, 420), QSize(543, 480), area).left(),
              1512 - 543 - 6);
    EXPECT_EQ(Placement::refit(QRect(-50, 34, 543, 420), QSize(543, 400), area).left(), -50);
}

TEST(Placement, RectangleText) {
    EXPECT_EQ(Placement::describe(QRectF()), "(0.0, 0.0, 0.0, 0.0)");
    EXPECT_EQ(Placement::describe(QRectF(982, 30, 543, 357)), "(982.0, 30.0, 543.0, 357.0)");
    EXPECT_EQ(Placement::describe(QRectF(0.5, -12.25, 0.1, 1e21)), "(0.5, -12.25, 0.1, 1e+21)");
}

} // namespace
