// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/theme.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

// Small drawing helpers shared by the panel's widgets.
namespace Painting {

// A theme colour, optionally at a further opacity ("text at 0.6").
QColor color(const Rgba& c, double opacity = 1.0);

QPainterPath roundedRect(const QRectF& rect, qreal radius);
// Fills a rounded rectangle and strokes its inside with a one-point line.
void card(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill, const QColor& border);

// The ring that shows which control has the keyboard's focus: two points wide just inside the
// control's edge, in a colour that stands out from its fill.
void focusRing(QPainter& p, const QRectF& rect, qreal radius, const QColor& color);

// One of the project's SVG symbols ("checkmark", "doc.on.doc", …), `size` points square,
// tinted with `tint`, for a device with the given pixel ratio.
QPixmap icon(const QString& name, int size, const QColor& tint, qreal devicePixelRatio);

} // namespace Painting

namespace Fonts {

// The desktop's UI font at a size in points (as the panel's own unit, device-independent).
QFont ui(int size, QFont::Weight weight = QFont::Normal);
// A rounded family where one is installed, else the UI font.
QFont rounded(int size, QFont::Weight weight = QFont::Normal);

// The font a pixel at a time smaller until `widthAt` it fits in `room`, but not below
// `minimumScale` of its size; as it is when it fits, when the scale is 1 or when its size is
// not set in pixels.
QFont shrunkToFit(QFont font, qreal minimumScale, qreal room,
                  const std::function<qreal(const QFont&)>& widthAt);

} // namespace Fonts
