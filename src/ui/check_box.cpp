// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/check_box.h"

#include "ui/painting.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CheckBox::CheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {
    setFocusPolicy(Qt::TabFocus);
}

void CheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    p.drawControl(QStyle::CE_CheckBox, option);
    if (hasFocus())
        Painting::focusRing(p, QRectF(rect()), 5, palette().color(QPalette::WindowText));
}
