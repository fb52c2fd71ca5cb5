// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
inline const QSize fallbackSize{543, 420};
inline const QRect assumedArea{0, 0, 1440, 900}; // when there is no screen at all

// The content's fitting size, or the fallback unless both sides exceed 100 points.
QSize panelSize(const QSize& fitting);

// Under an icon at the top of the area, above one at the bottom; the left edge follows the
// icon but stays 6 points inside the area (the right bound wins when both bind).
QRect underIcon(const QRect& icon, const QRect& area, const QSize& panel);

// Horizontally centred, the top 0.12 of the area's height below the area's top.
QRect centred(const QRect& area, const QSize& panel);

// A new size for a visible panel: the top edge stays, the right edge is pulled back inside
// the area (no bound on the left), and the panel grows or shrinks downwards.
QRect refit(const QRect& frame, const QSize& size, const QRect& area);

// "(x, y, w, h)" with every number in its shortest form and a fractional part: (0.0, 8.5, …)
QString describe(const QRectF& rect);

} // namespace Placement
