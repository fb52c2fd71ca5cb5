// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pressable_button.h"

#include "ui/painting.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

PressableButton::PressableButton(QWidget* parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::ArrowCursor);
}

void PressableButton::setPressable(const PressableStyle& style) {
    m_style = style;
    update();
}

void PressableButton::setPlain(bool plain) {
    m_plain = plain;
    update();
}

void PressableButton::setSymbol(const QString& iconName, int size) {
    if (m_symbol == iconName && m_symbolSize == size)
        return;
    m_symbol = iconName;
    m_symbolSize = size;
    updateGeometry();
    update();
}

void PressableButton::setLabel(const QString& text) {
    if (m_label == text)
        return;
    m_label = text;
    setText(text);
    updateGeometry();
    update();
}

void PressableButton::setForeground(const QColor& color) {
    m_foreground = color;
    update();
}

void PressableButton::setSymbolColor(std::optional<QColor> color) {
    m_symbolColor = color;
    update();
}

void PressableButton::setSpacing(int spacing) {
    m_spacing = spacing;
    updateGeometry();
}

void PressableButton::setHorizontalPadding(int padding) {
    m_padding = padding;
    updateGeometry();
}

void PressableButton::setMinimumScale(qreal scale) {
    m_minimumScale = std::clamp<qreal>(scale, 0.1, 1.0);
}

void PressableButton::setDisabledOpacity(qreal opacity) {
    m_disabledOpacity = opacity;
    update();
}

void PressableButton::setContentAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void PressableButton::setSymbolTrailing(bool trailing) {
    m_symbolTrailing = trailing;
    update();
}

int PressableButton::contentWidth(const QFont& font) const {
    int width = 0;
    if (!m_symbol.isEmpty())
        width += m_symbolSize;
    if (!m_label.isEmpty()) {
        if (width > 0)
            width += m_spacing;
        width += static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(m_label)));
    }
    return width;
}

QSize PressableButton::sizeHint() const {
    const int height = std::max(QFontMetrics(font()).height(), m_symbolSize);
    return {contentWidth(font()) + 2 * m_padding, height};
}

QSize PressableButton::minimumSizeHint() const {
    QFont small = font();
    small.setPixelSize(std::max(1, static_cast<int>(font().pixelSize() * m_minimumScale)));
    return {std::min(contentWidth(small), contentWidth(font())) + 2 * m_padding,
            sizeHint().height()};
}

bool PressableButton::hitButton(const QPoint& pos) const {
    return Painting::roundedRect(QRectF(rect()), m_style.cornerRadius).contains(QPointF(pos));
}

// Shrinks the text to fit before it is cut off, down to the minimum scale.
QFont PressableButton::fittedFont(int available) const {
    return Fonts::shrunkToFit(font(), m_minimumScale, available,
                              [this](const QFont& font) { return contentWidth(font); });
}

void PressableButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.save();
    if (!isEnabled())
        p.setOpacity(m_disabledOpacity);
    const QRectF area(rect());
    if (!m_plain)
        m_style.paintBackground(p, area);
    paintContent(p, fittedFont(width() - 2 * m_padding));
    if (!m_plain)
        m_style.paintOverlay(p, area, isDown());
    // In the label's colour: the theme chose it to stand out from this very fill.
    if (hasFocus()) {
        QColor ring = m_foreground;
        ring.setAlpha(255);
        Painting::focusRing(p, area, m_style.cornerRadius, ring);
    }
    p.restore();
}

void PressableButton::paintContent(QPainter& p, const QFont& font) {
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const int available = width() - 2 * m_padding;
    const qreal symbolWidth = m_symbol.isEmpty() ? 0 : m_symbolSize;
    const qreal gap = (!m_symbol.isEmpty() && !m_label.isEmpty()) ? m_spacing : 0;
    const qreal textRoom = std::max<qreal>(0, available - symbolWidth - gap);
    const QString text = metrics.elidedText(m_label, Qt::ElideRight, textRoom);
    const qreal contentW = symbolWidth + gap + metrics.horizontalAdvance(text);

    qreal x = m_padding;
    if (m_alignment & Qt::AlignHCenter)
        x = (width() - contentW) / 2.0;
    else if (m_alignment & Qt::AlignRight)
        x = width() - m_padding - contentW;
    const qreal midY = height() / 2.0;

    auto drawSymbol = [&] {
        if (m_symbol.isEmpty())
            return;
        const QPixmap pixmap = Painting::icon(
            m_symbol, m_symbolSize, m_symbolColor.value_or(m_foreground), devicePixelRatioF());
        p.drawPixmap(QPointF(std::round(x), std::round(midY - m_symbolSize / 2.0)), pixmap);
        x += symbolWidth + gap;
    };
    auto drawText = [&] {
        if (text.isEmpty())
            return;
        p.setPen(m_foreground);
        const qreal baseline = midY + (metrics.ascent() - metrics.descent()) / 2.0;
        p.drawText(QPointF(x, baseline), text);
        x += metrics.horizontalAdvance(text) + gap;
    };
    if (m_symbolTrailing) {
        drawText();
        drawSymbol();
    } else {
        drawSymbol();
        drawText();
    }
}
