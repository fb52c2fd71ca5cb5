// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

// The footer's check box: the style draws box and title, the panel draws the focus ring, in the
// theme's text colour like every other control's, instead of the style's own focus frame.
class CheckBox final : public QCheckBox {
    Q_OBJECT

public:
    explicit CheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
