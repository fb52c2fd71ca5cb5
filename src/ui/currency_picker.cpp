// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/currency_picker.h"

#include "app/app_model.h"
#include "ui/accessibility.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CurrencyPicker::CurrencyPicker(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_caption(new TextLine(this))
    , m_row(new QWidget(this))
    , m_rowLayout(new QHBoxLayout(m_row)) {
    setObjectName(QStringLiteral("currencyPicker"));
    // The caption names the group; the buttons are its choices.
    setAccessibleName(QStringLiteral("Die Zahl ist in"));
    Accessibility::setPresence(m_caption, Accessibility::Presence::hidden);
    Accessibility::setPresence(m_row, Accessibility::Presence::flattened);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_caption->setFont(Fonts::ui(10));
    layout->addWidget(m_caption);
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->setSpacing(7);
    layout->addWidget(m_row);
}

void CurrencyPicker::rebuild() {
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_builtFor = m_model.activeCurrencies();
    for (Currency c : m_builtFor) {
        PressableButton* button = buildButton(c);
        m_rowLayout->addWidget(button, 1);
        // Shown now rather than on the layout's deferred show, so the next paint has it.
        button->show();
        m_buttons.insert(c, button);
    }
}

PressableButton* CurrencyPicker::buildButton(Currency c) {
    const QString code = Currencies::code(c);
    auto* button = new PressableButton(m_row);
    button->setObjectName(QStringLiteral("currency-") + code);
    button->setLabel(Currencies::symbol(c) + QStringLiteral("  ") + code);
    button->setAccessibleName(code);
    button->setAccessibleRole(QAccessible::RadioButton);
    button->setCheckable(true);
    button->setFont(Fonts::ui(12, QFont::Medium));
    button->setFixedHeight(26);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setToolTip(QStringLiteral("Die Zahl im Rechner ist in ") + code);
    connect(button, &QAbstractButton::clicked, this, [this, c] { m_model.setAmountCurrency(c); });
    return button;
}

QList<QWidget*> CurrencyPicker::focusOrder() const {
    QList<QWidget*> order;
    for (Currency c : m_builtFor)
        order.append(m_buttons.value(c));
    return order;
}

void CurrencyPicker::refresh() {
    if (m_builtFor != m_model.activeCurrencies())
        rebuild();
    const Theme& theme = m_model.theme();
    m_caption->setText(QStringLiteral("Die Zahl ist in"), Painting::color(theme.text, 0.55));
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        const bool selected = it.key() == m_model.amountCurrency();
        it.value()->setChecked(selected);
        it.value()->setForeground(Painting::color(selected ? theme.accentText : theme.text));
        it.value()->setPressable({Painting::color(selected ? theme.accent : theme.field),
                                  Painting::color(theme.pressed), 8});
    }
}
