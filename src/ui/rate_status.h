// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/footer_text.h"

#include <QWidget>

class AppModel;
class LiveRates;
class TextLine;

// Where the rates come from and how fresh they are, with a warning when the feeds failed or
// the central bank stands in: the source line and the status line in the footer. The warning
// is the footer's only report of trouble, so it is never cut off: when the status line is too
// long for the room the row leaves, the warning goes on a line of its own below it.
class RateStatus final : public QWidget {
    Q_OBJECT

public:
    RateStatus(AppModel& model, const LiveRates& rates, QWidget* parent = nullptr);
    void refresh();
    // Puts the warning beside or below the status line for the current width; whether that
    // changed (and with it the height this block needs).
    bool fitToWidth();

private:
    bool needsOwnLine() const;
    void layOut(bool wrap);

    AppModel& m_model;
    const LiveRates& m_rates;
    TextLine* const m_source;
    TextLine* const m_status;
    TextLine* const m_warning;
    FooterText::Status m_text;
    bool m_wrapped = false;
};
