// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/filled_box.h"

class AppModel;
class PressableButton;
class TextLine;

// The calculator's display: reset and copy above the input line, the preview under it.
class DisplayBox final : public FilledBox {
    Q_OBJECT

public:
    explicit DisplayBox(AppModel& model, QWidget* parent = nullptr);
    void refresh();
    QList<QWidget*> focusOrder() const;

private:
    void refreshCopyButton();

    AppModel& m_model;
    PressableButton* const m_reset;
    PressableButton* const m_copyEuro;
    TextLine* const m_line;
    TextLine* const m_preview;
};
