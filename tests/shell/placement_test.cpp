// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/placement.h"
#include "support/qt_printers.h"
#include "ui/metrics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The expected frames are worked out for the panel's own width.
constexpr int panelWidth = Metrics::panelWidth;
const QSize panel(panelWidth, 420);
constexpr int bar = 14; // the scroll bar's extent in these rows
constexpr Qt::Edges topLeft = Qt::TopEdge | Qt::LeftEdge;
constexpr Qt::Edges bottomLeft = Qt::BottomEdge | Qt::LeftEdge;

std::string str(const QRect& r) {
    return Placement::describe(QRectF(r)).toStdString();
}

// The frame lies in the area less the margins, and off the icon.
void expectClear(const QRect& frame, const QRect& icon, const QRect& area) {
    EXPECT_TRUE(area.adjusted(6, 6, -6, -6).contains(frame)) << str(frame) << " in " << str(area);
    EXPECT_FALSE(frame.intersects(icon)) << str(frame) << " over the icon " << str(icon);
}

TEST(Placement, NextToTheIcon) {
    struct Row {
        const char* name;
        QRect icon, area;
        QSize fitting;
        QRect expected;
        Qt::Edges keep;
    };
    const QRect topBar(0, 28, 1512, 944);    // a 28-point panel at the top
    const QRect bottomBar(0, 0, 1920, 1040); // a 40-point panel at the bottom
    const QRect second(1920, 24, 1280, 776); // a second screen to the right
    const Row rows[] = {
        {"icon in the middle", {700, 2, 24, 24}, topBar, panel, {{700, 34}, panel}, topLeft},
        {"icon at the far right", {1480, 2, 24, 24}, topBar, panel, {{963, 34}, panel}, topLeft},
        {"icon closer than 6 to the left",
         {2, 2, 24, 24},
         topBar,
         panel,
         {{6, 34}, panel},
         topLeft},
        {"icon in a bottom panel",
         {1800, 1048, 24, 24},
         bottomBar,
         panel,
         {{1371, 614}, panel},
         bottomLeft},
        {"icon on a second screen", {3100, 0, 22, 22}, second, panel, {{2651, 30}, panel}, topLeft},
        {"icon inside the area", {500, 40, 22, 22}, topBar, panel, {{500, 66}, panel}, topLeft},
        {"bottom tray without a strut: over the icon, not onto it",
         {1256, 776, 24, 24},
         {0, 0, 1280, 800},
         panel,
         {{731, 352}, panel},
         bottomLeft},
        {"vertical tray on the right, icon at its lower end",
         {1256, 740, 24, 24},
         {0, 0, 1256, 800},
         panel,
         {{707, 344}, panel},
         Qt::RightEdge | Qt::BottomEdge},
        {"vertical tray on the left, icon in the upper half",
         {3, 100, 24, 24},
         {30, 0, 1250, 800},
         panel,
         {{36, 100}, panel},
         Qt::LeftEdge | Qt::TopEdge},
        {"area narrower than the panel: narrower, with a scroll bar under it",
         {10, 0, 22, 22},
         {0, 30, 400, 900},
         panel,
         {6, 36, 388, 434},
         topLeft},
        {"1280x800 at scale 2, bottom tray: shorter, with a scroll bar beside it",
         {620, 388, 12, 12},
         {0, 0, 640, 388},
         {panelWidth, 398},
         {77, 6, panelWidth + bar, 376},
         bottomLeft},
        {"1366x768 at scale 1.5, top tray",
         {880, 0, 16, 16},
         {0, 16, 911, 496},
         {panelWidth, 398},
         {362, 22, panelWidth, 398},
         topLeft},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Placement::Spot spot = Placement::nearIcon(row.icon, row.area, row.fitting, bar);
        EXPECT_EQ(spot.frame, row.expected) << str(spot.frame);
        EXPECT_EQ(spot.keep, row.keep);
        expectClear(spot.frame, row.icon, row.area);
        EXPECT_TRUE(spot.room.contains(spot.frame));
    }
    // An icon in the middle of an area too small to leave room beside it: the panel at least
    // stays on the screen.
    const Placement::Spot tiny = Placement::nearIcon({200, 60, 20, 20}, {0, 0, 400, 130}, panel);
    EXPECT_EQ(tiny.frame, QRect(6, 6, 388, 118));
}

TEST(Placement, Centred) {
    EXPECT_EQ(Placement::centred(QRect(0, 0, 1280, 800), panel).frame, QRect({368, 96}, panel));
    EXPECT_EQ(Placement::centred(QRect(0, 25, 1512, 957), panel).frame.topLeft(),
              QPoint(484, 25 + 114));
    EXPECT_EQ(Placement::centred(Placement::assumedArea, panel).frame.topLeft(), QPoint(448, 108));
    // Too short for the panel: as tall as the area allows, and wholly on it.
    const Placement::Spot small = Placement::centred(QRect(0, 0, 640, 400), panel, bar);
    EXPECT_EQ(small.frame, QRect(41, 6, panelWidth + bar, 388));
    EXPECT_EQ(small.keep, topLeft);
}

TEST(Placement, FittingSizeAndFallback) {
    EXPECT_EQ(Placement::panelSize(QSize(panelWidth, 480)), QSize(panelWidth, 480));
    EXPECT_EQ(Placement::panelSize(QSize(80, 500)), Placement::fallbackSize);
    EXPECT_EQ(Placement::panelSize(QSize(panelWidth, 100)), Placement::fallbackSize);
    EXPECT_EQ(Placement::panelSize(QSize(101, 101)), QSize(101, 101));
    EXPECT_EQ(Placement::panelSize(QSize()), Placement::fallbackSize);

    struct Row {
        QSize room, expected;
    };
    const Row rows[] = {
        {panel, panel},                        // fits exactly: no bars
        {{600, 400}, {panelWidth + bar, 400}}, // too short: a bar beside
        {{500, 500}, {500, 434}},              // too narrow: a bar under
        {{540, 430}, {540, 430}},              // too narrow, then too short for the bar under it
        {{500, 300}, {500, 300}},              // both
        {{2000, 2000}, panel}                  // plenty
    };
    for (const Row& row : rows)
        EXPECT_EQ(Placement::fit(panel, row.room, bar), row.expected) << row.room.width();
}

// Whatever the content does, the edge that faces the icon stays, and the panel stays in its room.
TEST(Placement, RefitKeepsTheEdgeFacingTheIcon) {
    struct Row {
        const char* name;
        Placement::Spot spot;
        QSize fitting;
        QRect expected;
    };
    const QRect screen(0, 0, 1280, 800);
    const Placement::Spot top = Placement::nearIcon({1256, 0, 24, 24}, {0, 24, 1280, 776}, panel);
    const Placement::Spot bottom =
        Placement::nearIcon({1256, 776, 24, 24}, {0, 0, 1280, 776}, panel);
    const Placement::Spot side = Placement::nearIcon({1256, 740, 24, 24}, {0, 0, 1256, 800}, panel);
    const Row table[] = {
        {"top tray, grows", top, {panelWidth, 480}, {731, 30, panelWidth, 480}},
        {"top tray, shrinks", top, {panelWidth, 396}, {731, 30, panelWidth, 396}},
        {"bottom tray, shrinks", bottom, {panelWidth, 396}, {731, 374, panelWidth, 396}},
        {"bottom tray, grows", bottom, {panelWidth, 450}, {731, 320, panelWidth, 450}},
        {"bottom tray, grows past the screen",
         bottom,
         {panelWidth, 900},
         {717, 6, panelWidth + bar, 764}},
        {"side tray, grows", side, {panelWidth, 450}, {707, 314, panelWidth, 450}},
        {"centred, grows",
         Placement::centred(screen, panel),
         {panelWidth, 480},
         {368, 96, panelWidth, 480}},
        {"dragged partly off the screen",
         Placement::moved({{-50, 34}, panel}, screen),
         {panelWidth, 400},
         {6, 34, panelWidth, 400}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        const QRect frame = Placement::refit(row.spot, row.fitting, bar);
        EXPECT_EQ(frame, row.expected) << str(frame);
        EXPECT_TRUE(row.spot.room.contains(frame));
    }
}

// A host that passes only the click's point: the icon is taken as thick as the bar it is on.
TEST(Placement, IconAroundAClick) {
    struct Row {
        const char* name;
        QPoint click;
        QRect area, expected;
    };
    const QRect screen(0, 0, 1280, 800);
    const Row rows[] = {
        {"top bar with a strut", {1268, 11}, {0, 24, 1280, 776}, {1256, 0, 24, 24}},
        {"bottom bar with a strut", {1268, 789}, {0, 0, 1280, 776}, {1256, 776, 24, 24}},
        {"left bar with a strut", {10, 700}, {30, 0, 1250, 800}, {0, 685, 30, 30}},
        {"right bar with a strut", {1270, 700}, {0, 0, 1256, 800}, {1256, 688, 24, 24}},
        {"top bar, no strut (XWayland)", {1268, 11}, screen, {1257, 0, 23, 23}},
        {"top bar, no strut, nearer the right edge", {1269, 11}, screen, {1258, 0, 22, 23}},
        {"bottom bar, no strut, nearer the right edge", {1269, 788}, screen, {1258, 777, 22, 23}},
        {"bottom bar, no strut", {640, 789}, screen, {630, 779, 21, 21}},
        {"right bar, no strut", {1270, 400}, screen, {1261, 391, 19, 19}},
        {"top right corner, no strut: the top bar", {1275, 15}, screen, {1260, 0, 20, 31}},
        {"left bar, no strut", {8, 300}, screen, {0, 292, 17, 17}},
        {"nowhere near an edge", {640, 400}, screen, {640, 400, 1, 1}},
    };
    for (const Row& row : rows) {
        const QRect icon = Placement::iconAround(row.click, screen, row.area);
        EXPECT_EQ(icon, row.expected) << row.name;
        // The panel next to such an icon clears the bar it stands for.
        expectClear(Placement::nearIcon(icon, row.area, panel).frame, icon, row.area);
    }

    // A menu entry chosen with the pointer: the icon is on the nearer bar, straight above or
    // below the pointer, and the panel opens next to that bar.
    const QRect topArea(0, 32, 1280, 768);
    const Row menus[] = {
        {"menu under a top bar", {1200, 60}, topArea, {1200, 31, 1, 1}},
        {"menu over a bottom bar", {1200, 700}, {0, 0, 1280, 760}, {1200, 760, 1, 1}},
        {"pointer right of the area", {1300, 60}, topArea, {1279, 31, 1, 1}},
    };
    for (const Row& row : menus) {
        EXPECT_EQ(Placement::iconForMenu(row.click, row.area), row.expected) << row.name;
        expectClear(Placement::nearIcon(row.expected, row.area, panel).frame, row.expected,
                    row.area);
    }
}

TEST(Placement, DevicePixelsToPoints) {
    struct Row {
        const char* name;
        QList<Placement::Screen> screens;
        QPoint device, expected;
    };
    const QList<Placement::Screen> mixed{{{0, 0, 1280, 800}, 1}, {{1280, 0, 640, 400}, 2}};
    const Row rows[] = {
        {"scale 1", {{{0, 0, 1280, 800}, 1}}, {1268, 789}, {1268, 789}},
        {"scale 2", {{{0, 0, 640, 400}, 2}}, {1268, 789}, {634, 394}},
        {"scale 1.5", {{{0, 0, 911, 512}, 1.5}}, {1365, 767}, {910, 511}},
        {"left screen of 1;2", mixed, {1270, 10}, {1270, 10}},
        {"right screen of 1;2", mixed, {2548, 790}, {1280 + 634, 395}},
        {"on no screen", mixed, {4000, 10}, {4000, 10}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Placement::fromDevicePixels(row.device, row.screens), row.expected) << row.name;
}

TEST(Placement, RectangleText) {
    EXPECT_EQ(Placement::describe(QRectF()), "(0.0, 0.0, 0.0, 0.0)");
    EXPECT_EQ(Placement::describe(QRectF(982, 30, 543, 357)), "(982.0, 30.0, 543.0, 357.0)");
    EXPECT_EQ(Placement::describe(QRectF(0.5, -12.25, 0.1, 1e21)), "(0.5, -12.25, 0.1, 1e+21)");
}

} // namespace
