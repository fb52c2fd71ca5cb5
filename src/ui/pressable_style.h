// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The look of every coloured button of the panel: a rounded fill, and over it the pressed
// colour while the button is held. Nothing else changes on press.
struct PressableStyle {
    QColor fill;
    QColor pressed;
    qreal cornerRadius = 8;

    void paintBackground(QPainter& p, const QRectF& rect) const;
    void paintOverlay(QPainter& p, const QRectF& rect, bool isPressed) const;
};
