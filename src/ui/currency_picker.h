// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/currency.h"

#include <QHash>
#include <QList>
#include <QWidget>

class AppModel;
class PressableButton;
class QHBoxLayout;
class TextLine;

// "Die Zahl ist in": one button per active currency; the chosen one is the amount currency.
class CurrencyPicker final : public QWidget {
    Q_OBJECT

public:
    explicit CurrencyPicker(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

private:
    void rebuild();
    PressableButton* buildButton(Currency c);

    AppModel& m_model;
    TextLine* const m_caption;
    QWidget* const m_row;
    QHBoxLayout* const m_rowLayout;
    QHash<Currency, PressableButton*> m_buttons;
    QList<Currency> m_builtFor;
};
