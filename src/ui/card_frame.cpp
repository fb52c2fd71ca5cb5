// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/card_frame.h"

#include "ui/metrics.h"
#include "ui/painting.h"

#include <QPainter>
#include <QVBoxLayout>

CardFrame::CardFrame(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(Metrics::cardPadding, Metrics::cardPadding, Metrics::cardPadding,
                                 Metrics::cardPadding);
    m_layout->setSpacing(0);
    m_layout->setAlignment(Qt::AlignTop);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CardFrame::setTheme(const Theme& theme) {
    m_theme = theme;
    update();
}

void CardFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Painting::card(p, QRectF(rect()), 12, Painting::color(m_theme.card),
                   Painting::color(m_theme.border));
}
