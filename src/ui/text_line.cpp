// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_line.h"

#include "ui/accessibility.h"
#include "ui/painting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

qreal widthOf(const QList<TextLine::Part>& parts, const QFontMetricsF& metrics) {
    qreal width = 0;
    for (const auto& part : parts)
        width += metrics.horizontalAdvance(part.text);
    return width;
}

} // namespace

TextLine::TextLine(QWidget* parent)
    : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TextLine::setText(const QString& text, const QColor& color) {
    setParts({{text, color}});
}

void TextLine::setParts(const QList<Part>& parts) {
    const bool sameText = text() == [&parts] {
        QString all;
        for (const auto& part : parts)
            all += part.text;
        return all;
    }();
    m_parts = parts;
    if (!sameText) {
        updateGeometry();
        Accessibility::announceNameChange(this);
    }
    update();
}

void TextLine::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void TextLine::setElideMode(Qt::TextElideMode mode) {
    m_elide = mode;
    update();
}

void TextLine::setMinimumScale(qreal scale) {
    m_minimumScale = std::clamp<qreal>(scale, 0.1, 1.0);
    update();
}

QString TextLine::text() const {
    QString all;
    for (const auto& part : m_parts)
        all += part.text;
    return all;
}

QSize TextLine::sizeHint() const {
    return {static_cast<int>(std::ceil(widthOf(m_parts, QFontMetricsF(font())))),
            QFontMetrics(font()).height()};
}

QSize TextLine::minimumSizeHint() const {
    return {0, QFontMetrics(font()).height()};
}

QFont TextLine::fittedFont() const {
    return Fonts::shrunkToFit(font(), m_minimumScale, width(), [this](const QFont& font) {
        return widthOf(m_parts, QFontMetricsF(font));
    });
}

int TextLine::effectivePixelSize() const {
    return fittedFont().pixelSize();
}

QList<TextLine::Part> TextLine::fitted(const QList<Part>& parts, const QFontMetricsF& metrics,
                                       qreal room, Qt::TextElideMode mode) {
    if (widthOf(parts, metrics) <= room)
        return parts;
    // Walk from the side that is kept: the start for ElideRight, the end for ElideLeft.
    QList<Part> out = parts;
    const bool fromEnd = mode == Qt::ElideLeft;
    qreal left = room;
    for (qsizetype n = 0; n < out.size(); ++n) {
        Part& part = out[fromEnd ? out.size() - 1 - n : n];
        const qreal width = metrics.horizontalAdvance(part.text);
        if (width <= left) {
            left -= width;
            continue;
        }
        part.text = left > 0 ? metrics.elidedText(part.text, mode, left) : QString();
        left = 0;
    }
    out.removeIf([](const Part& part) { return part.text.isEmpty(); });
    return out;
}

QList<TextLine::Part> TextLine::shownParts() const {
    return fitted(m_parts, QFontMetricsF(fittedFont()), width(), m_elide);
}

void TextLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.save();
    const QFont font = fittedFont();
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const QList<Part> parts = fitted(m_parts, metrics, width(), m_elide);

    const qreal room = width();
    const qreal total = widthOf(parts, metrics);
    qreal x = 0;
    if (m_alignment & Qt::AlignRight)
        x = room - total;
    else if (m_alignment & Qt::AlignHCenter)
        x = (room - total) / 2.0;
    const qreal baseline = height() / 2.0 + (metrics.ascent() - metrics.descent()) / 2.0;
    for (const auto& part : parts) {
        p.setPen(part.color);
        p.drawText(QPointF(x, baseline), part.text);
        x += metrics.horizontalAdvance(part.text);
    }
    p.restore();
}
