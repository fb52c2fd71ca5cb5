// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppModel;

// One swatch per built-in theme, in the order of Theme::all().
class ThemePicker final : public QWidget {
    Q_OBJECT

public:
    explicit ThemePicker(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;
};
