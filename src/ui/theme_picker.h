#pragma once

#include <QWidget>

class AppModel;

// One swatch per built-in theme; the current one wears a ring in the current theme's accent.
class ThemePicker final : public QWidget {
public:
    explicit ThemePicker(AppModel& model, QWidget* parent = nullptr);
    void refresh();

private:
    AppModel& m_model;
};
