// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/currency_switches.h"

#include "app/app_model.h"
#include "ui/accessibility.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>

CurrencySwitches::CurrencySwitches(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_caption(new TextLine(this)) {
    setObjectName(QStringLiteral("currencySwitches"));
    setAccessibleName(QStringLiteral("W\u00E4hrungen"));
    Accessibility::setPresence(m_caption, Accessibility::Presence::hidden);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    m_caption->setFont(Fonts::ui(10));
    m_caption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(m_caption);
    for (Currency c : Currencies::allCases)
        row->addWidget(buildSwitch(c));
}

PressableButton* CurrencySwitches::buildSwitch(Currency c) {
    auto* button = new PressableButton(this);
    button->setObjectName(QStringLiteral("switch-") + Currencies::code(c));
    button->setLabel(Currencies::symbol(c));
    button->setFont(Fonts::ui(12, QFont::Medium));
    button->setSpacing(3);
    button->setFixedSize(38, 22);
    button->setCheckable(true);
    // An on/off switch: a screen reader says "aktiviert" or "nicht aktiviert".
    button->setAccessibleRole(QAccessible::CheckBox);
    button->setAccessibleName(Currencies::code(c));
    if (c == Currency::eur) {
        button->setEnabled(false);
        button->setToolTip(QStringLiteral("Euro ist deine Heimatw\u00E4hrung und immer an"));
    } else {
        connect(button, &QAbstractButton::clicked, this,
                [this, c] { m_model.setActive(c, !m_model.isActive(c)); });
    }
    m_switches.insert(c, button);
    return button;
}

QList<QWidget*> CurrencySwitches::focusOrder() const {
    QList<QWidget*> order;
    for (Currency c : Currencies::allCases)
        order.append(m_switches.value(c));
    return order;
}

void CurrencySwitches::refresh() {
    const Theme& theme = m_model.theme();
    m_caption->setText(QStringLiteral("W\u00E4hrungen"), Painting::color(theme.text, 0.55));
    m_caption->setFixedWidth(m_caption->sizeHint().width());
    for (auto it = m_switches.cbegin(); it != m_switches.cend(); ++it) {
        const Currency c = it.key();
        PressableButton* button = it.value();
        const bool active = m_model.isActive(c);
        button->setChecked(active);
        button->setSymbol(active ? QStringLiteral("checkmark") : QStringLiteral("plus"), 7);
        button->setForeground(active ? Painting::color(theme.accentText)
                                     : Painting::color(theme.text, 0.7));
        const QColor fill = active ? Painting::color(theme.accent, c == Currency::eur ? 0.55 : 1.0)
                                   : Painting::color(theme.field);
        button->setPressable({fill, Painting::color(theme.pressed), 6});
        if (c != Currency::eur)
            button->setToolTip(Currencies::code(c) + (active ? QStringLiteral(" ausschalten")
                                                             : QStringLiteral(" einschalten")));
    }
}
