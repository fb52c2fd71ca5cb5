// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QString>
#include <QWidget>

// One line of text, painted in parts that may differ in colour, with the panel's ways of
// coping with too little room: shrink down to a share of the font size, then cut off.
class TextLine final : public QWidget {
    Q_OBJECT

public:
    struct Part {
        QString text;
        QColor color;
    };

    explicit TextLine(QWidget* parent = nullptr);

    void setText(const QString& text, const QColor& color);
    void setParts(const QList<Part>& parts);
    void setAlignment(Qt::Alignment alignment);
    void setElideMode(Qt::TextElideMode mode); // ElideLeft cuts the beginning, keeping the end
    void setMinimumScale(qreal scale);

    QString text() const;
    const QList<Part>& parts() const { return m_parts; }
    // What is painted at the current width, after cutting off.
    QList<Part> shownParts() const;

    // The parts cut to `room` in the elide mode's direction: ElideRight keeps the beginning and
    // cuts the end, ElideLeft keeps the end.
    static QList<Part> fitted(const QList<Part>& parts, const QFontMetricsF& metrics, qreal room,
                              Qt::TextElideMode mode);
    // The font size actually used at the current width (for tests of the shrinking).
    int effectivePixelSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont fittedFont() const;

    QList<Part> m_parts;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::TextElideMode m_elide = Qt::ElideRight;
    qreal m_minimumScale = 1.0;
};
