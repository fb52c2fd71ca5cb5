// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme_picker.h"

#include "app/app_model.h"
#include "ui/theme_swatch.h"

#include <QHBoxLayout>

ThemePicker::ThemePicker(AppModel& model, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("themePicker"));
    setAccessibleName(QStringLiteral("Farbthema"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (const Theme& theme : Theme::all())
        layout->addWidget(new ThemeSwatch(model, theme, this));
}

QList<QWidget*> ThemePicker::focusOrder() const {
    QList<QWidget*> order;
    for (ThemeSwatch* swatch : findChildren<ThemeSwatch*>())
        order.append(swatch);
    return order;
}

void ThemePicker::refresh() {
    for (ThemeSwatch* swatch : findChildren<ThemeSwatch*>()) {
        swatch->setChecked(swatch->isCurrent());
        swatch->update();
    }
}
