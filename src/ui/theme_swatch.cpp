// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme_swatch.h"

#include "app/app_model.h"
#include "ui/painting.h"

#include <QPainter>

ThemeSwatch::ThemeSwatch(AppModel& model, const Theme& theme, QWidget* parent)
    : QAbstractButton(parent)
    , m_model(model)
    , m_theme(theme) {
    setObjectName(QStringLiteral("swatch-") + theme.id);
    setFixedSize(diameter, diameter);
    setFocusPolicy(Qt::TabFocus);
    setCheckable(true);
    setToolTip(QStringLiteral("Farbthema ") + theme.name);
    setAccessibleName(theme.name);
    connect(this, &QAbstractButton::clicked, this, [this] { m_model.setTheme(m_theme); });
}

bool ThemeSwatch::isCurrent() const {
    return m_model.theme().id == m_theme.id;
}

bool ThemeSwatch::hitButton(const QPoint& pos) const {
    const QPointF d = QPointF(pos) - QRectF(rect()).center();
    const qreal radius = diameter / 2.0;
    return d.x() * d.x() + d.y() * d.y() <= radius * radius;
}

void ThemeSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF circle(0, 0, diameter, diameter);
    p.setPen(Qt::NoPen);
    p.setBrush(Painting::color(m_theme.background));
    p.drawEllipse(circle);
    p.setBrush(Painting::color(m_theme.accent));
    p.drawEllipse(QRectF(6, 6, 6, 6));

    // The ring lies inside the circle's edge, in the colours of the theme in use.
    const Theme& current = m_model.theme();
    const qreal width = isCurrent() ? 2.0 : 1.0;
    p.setPen(QPen(
        isCurrent() ? Painting::color(current.accent) : Painting::color(current.text, 0.3), width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    // Between the edge and the dot, where neither ring is drawn, in the colour this swatch's
    // theme writes on its background.
    if (hasFocus()) {
        p.setPen(QPen(Painting::color(m_theme.text), 1.5));
        p.drawEllipse(circle.adjusted(3.5, 3.5, -3.5, -3.5));
    }
    p.restore();
}
