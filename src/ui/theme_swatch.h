// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/theme.h"

#include <QAbstractButton>

class AppModel;

// One built-in theme in the picker: its background with a dot of its accent, and a ring in the
// colours of the theme in use, thicker and in the accent for the current one.
class ThemeSwatch final : public QAbstractButton {
    Q_OBJECT

public:
    ThemeSwatch(AppModel& model, const Theme& theme, QWidget* parent = nullptr);

    bool isCurrent() const;
    QSize sizeHint() const override { return {diameter, diameter}; }

    static constexpr int diameter = 18;

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& m_model;
    Theme m_theme;
};
