// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/calc_key.h"

#include <QHash>
#include <QList>
#include <QWidget>

class AppModel;
class PressableButton;

// The calculator's keys in five rows; a click presses the key on the model.
class Keypad final : public QWidget {
    Q_OBJECT

public:
    explicit Keypad(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

    // The keys, row by row.
    static const QList<QList<CalcKey>>& keyRows();

private:
    PressableButton* buildKey(CalcKey key);

    AppModel& m_model;
    QHash<CalcKey, PressableButton*> m_keys;
};
