// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rate_status.h"

#include "app/app_model.h"
#include "model/live_rates.h"
#include "ui/accessibility.h"
#include "ui/painting.h"
#include "ui/text_line.h"

#include <QVBoxLayout>

RateStatus::RateStatus(AppModel& model, const LiveRates& rates, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_rates(rates)
    , m_source(new TextLine(this))
    , m_status(new TextLine(this))
    , m_warning(new TextLine(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (auto [line, name] : {std::pair{m_source, "sourceLine"}, std::pair{m_status, "statusLine"},
                              std::pair{m_warning, "warningLine"}}) {
        line->setObjectName(QLatin1String(name));
        line->setFont(Fonts::ui(10));
        layout->addWidget(line);
    }
    m_warning->hide();
    setAccessibleName(QStringLiteral("Kurse"));
    // The status line speaks with its warning, wherever the warning is drawn.
    Accessibility::setPresence(m_warning, Accessibility::Presence::hidden);
    // The lines give way first when room is short; the footer's buttons keep their size.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void RateStatus::refresh() {
    const QDateTime now = m_model.now();
    const QColor dim = Painting::color(m_model.theme().text, 0.6);
    const QString source = FooterText::sourceLine(m_rates.info(), m_rates.isLoading(), now);
    m_source->setText(source, dim);
    m_text = FooterText::statusLine(m_rates.info(), m_rates.hasFailed(), now);
    layOut(needsOwnLine());
    m_status->setAccessibleName(m_text.base + m_text.warning);
    // Whatever the room, hovering shows both lines whole.
    setToolTip(source + QLatin1Char('\n') + m_text.base + m_text.warning);
}

bool RateStatus::needsOwnLine() const {
    const QFontMetricsF metrics(m_status->font());
    return !m_text.warning.isEmpty() &&
           metrics.horizontalAdvance(m_text.base + m_text.warning) > width();
}

bool RateStatus::fitToWidth() {
    const bool wrap = needsOwnLine();
    if (wrap == m_wrapped)
        return false;
    layOut(wrap);
    return true;
}

void RateStatus::layOut(bool wrap) {
    const QColor dim = Painting::color(m_model.theme().text, 0.6);
    const QColor warning = Painting::color(m_model.theme().warning);
    m_wrapped = wrap;
    if (wrap) {
        m_status->setText(m_text.base, dim);
        // The blanks part the warning from the stamp; on a line of its own it starts at the
        // block's edge like the lines above it.
        m_warning->setText(m_text.warning.trimmed(), warning);
    } else if (!m_text.warning.isEmpty()) {
        m_status->setParts({{m_text.base, dim}, {m_text.warning, warning}});
    } else {
        m_status->setText(m_text.base, dim);
    }
    m_warning->setVisible(wrap);
}
