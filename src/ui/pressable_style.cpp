// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pressable_style.h"

#include "ui/painting.h"

#include <QPainter>

void PressableStyle::paintBackground(QPainter& p, const QRectF& rect) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(Painting::roundedRect(rect, cornerRadius));
    p.restore();
}

void PressableStyle::paintOverlay(QPainter& p, const QRectF& rect, bool isPressed) const {
    if (!isPressed)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(pressed);
    p.drawPath(Painting::roundedRect(rect, cornerRadius));
    p.restore();
}
