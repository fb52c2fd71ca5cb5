// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/currency.h"

#include <QHash>
#include <QWidget>

class AppModel;
class PressableButton;
class TextLine;

// "Währungen" and a switch per currency; the euro's is always on and cannot be clicked.
class CurrencySwitches final : public QWidget {
    Q_OBJECT

public:
    explicit CurrencySwitches(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

private:
    PressableButton* buildSwitch(Currency c);

    AppModel& m_model;
    TextLine* const m_caption;
    QHash<Currency, PressableButton*> m_switches;
};
