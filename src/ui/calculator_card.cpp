// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/calculator_card.h"

#include "app/app_model.h"
#include "ui/accessibility.h"
#include "ui/card_frame.h"
#include "ui/currency_picker.h"
#include "ui/display_box.h"
#include "ui/keypad.h"
#include "ui/metrics.h"
#include "ui/result_list.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CalculatorCard::CalculatorCard(AppModel& model, const CurrentRates& rates, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_left(new CardFrame(this))
    , m_right(new CardFrame(this))
    , m_display(new DisplayBox(model, m_left))
    , m_picker(new CurrencyPicker(model, m_left))
    , m_results(new ResultList(model, rates, m_left))
    , m_keypad(new Keypad(model, m_right)) {
    setObjectName(QStringLiteral("calculatorCard"));
    for (QWidget* container : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_left),
                               static_cast<QWidget*>(m_right)})
        Accessibility::setPresence(container, Accessibility::Presence::flattened);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::cardGap);
    layout->addWidget(m_left);
    layout->addWidget(m_right);

    m_left->setFixedWidth(Metrics::leftWidth);
    m_left->contentLayout()->setSpacing(10);
    m_left->contentLayout()->addWidget(m_display);
    m_left->contentLayout()->addWidget(m_picker);
    m_left->contentLayout()->addWidget(m_results);

    m_right->setFixedWidth(Metrics::keypadWidth);
    m_right->contentLayout()->addWidget(m_keypad);
    refresh();
}

QList<QWidget*> CalculatorCard::focusOrder() const {
    return m_display->focusOrder() + m_picker->focusOrder() + m_results->focusOrder() +
           m_keypad->focusOrder();
}

void CalculatorCard::refresh() {
    const Theme& theme = m_model.theme();
    m_left->setTheme(theme);
    m_right->setTheme(theme);
    m_display->refresh();
    m_picker->refresh();
    m_results->refresh();
    m_keypad->refresh();
}
