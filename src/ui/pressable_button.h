// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/pressable_style.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QColor>
#include <QString>

#include <optional>

class QPainter;

// A button that paints its own label (an optional symbol and a text) on a PressableStyle
// background, or with no chrome at all in plain mode. The whole rounded area takes clicks.
// Tab reaches it, a click does not take the focus: typed keys stay with the calculator.
class PressableButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit PressableButton(QWidget* parent = nullptr);

    void setPressable(const PressableStyle& style);
    void setPlain(bool plain); // no fill and no pressed overlay
    void setSymbol(const QString& iconName, int size);
    void setLabel(const QString& text);
    void setForeground(const QColor& color);
    void setSymbolColor(std::optional<QColor> color); // defaults to the foreground
    void setSpacing(int spacing);
    void setHorizontalPadding(int padding);
    // The text shrinks down to this share of its font size before it is cut off.
    void setMinimumScale(qreal scale);
    void setDisabledOpacity(qreal opacity);
    void setContentAlignment(Qt::Alignment alignment);
    void setSymbolTrailing(bool trailing); // the symbol after the text instead of before it
    // What a screen reader calls it: a button unless told (a radio button, a toggle).
    void setAccessibleRole(QAccessible::Role role) { m_accessibleRole = role; }
    QAccessible::Role accessibleRole() const { return m_accessibleRole; }

    const QString& label() const { return m_label; }
    const QString& symbol() const { return m_symbol; }
    const QColor& foreground() const { return m_foreground; }
    const PressableStyle& pressable() const { return m_style; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    int contentWidth(const QFont& font) const;
    QFont fittedFont(int available) const;
    void paintContent(QPainter& p, const QFont& font);

    PressableStyle m_style;
    bool m_plain = false;
    QString m_symbol;
    int m_symbolSize = 10;
    QString m_label;
    QColor m_foreground = Qt::black;
    std::optional<QColor> m_symbolColor;
    int m_spacing = 4;
    int m_padding = 0;
    qreal m_minimumScale = 1.0;
    qreal m_disabledOpacity = 1.0;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_symbolTrailing = false;
    QAccessible::Role m_accessibleRole = QAccessible::Button;
};
