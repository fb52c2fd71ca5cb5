#include "ui/rate_status.h"

#include "app/app_model.h"
#include "rates/rate_store.h"
#include "ui/footer_text.h"
#include "ui/painting.h"
#include "ui/text_line.h"

#include <QVBoxLayout>

RateStatus::RateStatus(AppModel& model, RateStore& store, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_store(store)
    , m_source(new TextLine(this))
    , m_status(new TextLine(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_source->setObjectName(QStringLiteral("sourceLine"));
    m_source->setFont(Fonts::ui(10));
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setFont(Fonts::ui(10));
    layout->addWidget(m_source);
    layout->addWidget(m_status);
    // The lines give way first when room is short; the footer's buttons keep their size.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void RateStatus::refresh() {
    const QDateTime now = m_model.now();
    const QColor dim = Painting::color(m_model.theme().text, 0.6);
    m_source->setText(FooterText::sourceLine(m_store.info(), m_store.isLoading(), now), dim);
    const FooterText::Status status =
        FooterText::statusLine(m_store.info(), m_store.hasFailed(), now);
    QList<TextLine::Part> parts{{status.base, dim}};
    if (!status.warning.isEmpty())
        parts.append({status.warning, Painting::color(m_model.theme().warning)});
    m_status->setParts(parts);
}
