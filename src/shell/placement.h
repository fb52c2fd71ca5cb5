// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/metrics.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

// Where the panel goes. Plain arithmetic on rectangles in Qt's screen coordinates (y grows
// downwards), so every case can be tested without a window.
namespace Placement {

inline constexpr int margin = 6;  // to the edges of the available area
inline constexpr int iconGap = 4; // between the icon and the panel
inline constexpr double centredTop = 0.12;
inline const QSize fallbackSize{Metrics::panelWidth, Metrics::fallbackPanelHeight};
inline const QRect assumedArea{QPoint(0, 0), Metrics::assumedScreen};
// A click this close to an edge of its screen was on a bar along that edge.
inline constexpr int barReach = 64;
// Content is laid out once both sides of its fitting size exceed this.
inline constexpr int minimumContent = 100;
// Room beside the icon narrower or lower than this is taken for none.
inline constexpr int minimumRoom = 100;

// Where the panel lies, the room it may take when its content grows, and the edges that stay
// put when it does: the one facing the icon, so that the panel never slides onto the tray.
struct Spot {
    QRect frame;
    QRect room;
    Qt::Edges keep;

    friend bool operator==(const Spot&, const Spot&) = default;
};

// The content's fitting size, or the fallback until it is laid out.
QSize panelSize(const QSize& fitting);

// Which scroll bars content needs in a window of that size, with bars `scrollBar` points across:
// a bar along one side can take the room the other side needed.
struct ScrollBars {
    bool vertical = false;
    bool horizontal = false;
};
ScrollBars scrollBars(const QSize& content, const QSize& window, int scrollBar);

// The window's size for content of the fitting size in `room`: the fitting size when it fits;
// otherwise as much as there is room for, with space for the scroll bars it then needs.
QSize fit(const QSize& fitting, const QSize& room, int scrollBar);

// Next to an icon: under one in the upper half of the area, over one in the lower half, and
// beside one on a tray along the left or right edge; 4 points from the icon, 6 inside the area.
// An icon outside the area is on a panel whose strut the area leaves out: that panel's edge
// decides. Along a horizontal tray the left edge follows the icon (the right bound wins when
// both bind).
Spot nearIcon(const QRect& icon, const QRect& area, const QSize& fitting, int scrollBar = 0);

// Horizontally centred, the top 0.12 of the area's height below the area's top.
Spot centred(const QRect& area, const QSize& fitting, int scrollBar = 0);

// A panel the person has dragged elsewhere: it stays where it was put, inside the area.
Spot moved(const QRect& frame, const QRect& area);

// The frame for new content of the fitting size: the kept edges stay, the others move, and the
// whole panel stays in the spot's room.
QRect refit(const Spot& spot, const QSize& fitting, int scrollBar = 0);

// A host that keeps the icon's place to itself passes only the point of the click. A point in
// a strip of the screen that the available area leaves out is on the bar that reserved it; a
// point within reach of a screen edge (a bar that reserves nothing, as under XWayland) is
// taken to lie across the middle of a bar along that edge. Either way the icon is a square as
// thick as the bar, so the panel clears the bar.
QRect iconAround(const QPoint& click, const QRect& screen, const QRect& area);

// A menu entry chosen at `pointer` (the host passes no point with it): the menu hangs from an
// icon on the bar along the nearer of the area's top and bottom edges, straight above or below
// the pointer. Taken as a point just outside that edge.
QRect iconForMenu(const QPoint& pointer, const QRect& area);

// A screen as Qt sees it: in device-independent points, its top left kept in device pixels.
struct Screen {
    QRect geometry;
    double ratio = 1;
};

// A point in device pixels, as tray hosts pass it, in Qt's points on the screen that holds it;
// unchanged when no screen does.
QPoint fromDevicePixels(const QPoint& point, const QList<Screen>& screens);

// "(x, y, w, h)" with every number in its shortest form and a fractional part: (0.0, 8.5, …)
QString describe(const QRectF& rect);

} // namespace Placement
