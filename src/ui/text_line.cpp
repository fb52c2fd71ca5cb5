#include "ui/text_line.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

qreal widthOf(const QList<TextLine::Part>& parts, const QFont& font) {
    const QFontMetricsF metrics(font);
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
    if (!sameText)
        updateGeometry();
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
    return {static_cast<int>(std::ceil(widthOf(m_parts, font()))), QFontMetrics(font()).height()};
}

QSize TextLine::minimumSizeHint() const {
    return {0, QFontMetrics(font()).height()};
}

QFont TextLine::fittedFont() const {
    QFont font = this->font();
    if (m_minimumScale >= 1.0 || font.pixelSize() <= 0)
        return font;
    const int base = font.pixelSize();
    const int smallest = std::max(1, static_cast<int>(std::ceil(base * m_minimumScale)));
    for (int size = base; size > smallest && widthOf(m_parts, font) > width(); --size)
        font.setPixelSize(size - 1);
    return font;
}

int TextLine::effectivePixelSize() const {
    return fittedFont().pixelSize();
}

void TextLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.save();
    const QFont font = fittedFont();
    p.setFont(font);
    const QFontMetricsF metrics(font);

    // Cut off what still does not fit: at the start (keeping the end visible) or at the end.
    QList<Part> parts = m_parts;
    const qreal room = width();
    if (widthOf(parts, font) > room) {
        if (m_elide == Qt::ElideLeft) {
            QString all = metrics.elidedText(text(), Qt::ElideLeft, room);
            parts = {{all, m_parts.isEmpty() ? QColor() : m_parts.last().color}};
        } else {
            QList<Part> kept;
            qreal used = 0;
            for (const auto& part : parts) {
                const qreal w = metrics.horizontalAdvance(part.text);
                if (used + w <= room) {
                    kept.append(part);
                    used += w;
                    continue;
                }
                kept.append(
                    {metrics.elidedText(part.text, Qt::ElideRight, room - used), part.color});
                break;
            }
            parts = kept;
        }
    }

    const qreal total = widthOf(parts, font);
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
