// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filled_box.h"

#include "ui/painting.h"

#include <QPainter>

FilledBox::FilledBox(qreal radius, QWidget* parent)
    : QWidget(parent)
    , m_radius(radius) {}

void FilledBox::setFill(const QColor& fill) {
    m_fill = fill;
    update();
}

void FilledBox::paintEvent(QPaintEvent*) {
    if (m_fill.alpha() == 0)
        return;
    QPainter p(this);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_fill);
    p.drawPath(Painting::roundedRect(QRectF(rect()), m_radius));
    p.restore();
}
