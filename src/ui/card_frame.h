// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/theme.h"

#include <QWidget>

class QVBoxLayout;

// A card of the calculator: 12 points of padding, the card fill with a one-point inner
// outline, and the content kept at the top while the card takes all the height it is given.
class CardFrame final : public QWidget {
    Q_OBJECT

public:
    explicit CardFrame(QWidget* parent = nullptr);

    void setTheme(const Theme& theme);
    QVBoxLayout* contentLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_layout;
    Theme m_theme;
};
