// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A plain container that paints a rounded fill behind its children: the display, the results
// box and the emphasised euro row.
class FilledBox : public QWidget {
    Q_OBJECT

public:
    explicit FilledBox(qreal radius, QWidget* parent = nullptr);

    void setFill(const QColor& fill);
    const QColor& fill() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_radius;
    QColor m_fill = Qt::transparent;
};
