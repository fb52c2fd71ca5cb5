// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keypad.h"

#include "app/app_model.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QColor keyFill(const Theme& theme, CalcKey key) {
    if (key == CalcKey::equals)
        return Painting::color(theme.accent);
    if (CalcKeys::isOperator(key) || key == CalcKey::paste)
        return Painting::color(theme.key);
    return Painting::color(theme.field);
}

QColor keyText(const Theme& theme, CalcKey key) {
    if (key == CalcKey::clear)
        return Painting::color(theme.warning);
    if (key == CalcKey::equals)
        return Painting::color(theme.accentText);
    return Painting::color(theme.text);
}

} // namespace

const QList<QList<CalcKey>>& Keypad::keyRows() {
    using K = CalcKey;
    static const QList<QList<CalcKey>> rows{
        {K::clear, K::backspace, K::divide, K::times},
        {K::digit7, K::digit8, K::digit9, K::minus},
        {K::digit4, K::digit5, K::digit6, K::plus},
        {K::digit1, K::digit2, K::digit3, K::equals},
        {K::digit0, K::comma, K::paste},
    };
    return rows;
}

Keypad::Keypad(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model) {
    setObjectName(QStringLiteral("keypad"));
    setAccessibleName(QStringLiteral("Tastenfeld"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Metrics::keySpacing);
    for (const QList<CalcKey>& keys : keyRows()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(Metrics::keySpacing);
        row->setAlignment(Qt::AlignLeft);
        for (CalcKey key : keys)
            row->addWidget(buildKey(key));
        layout->addLayout(row);
    }
}

PressableButton* Keypad::buildKey(CalcKey key) {
    const QString label = CalcKeys::label(key);
    auto* button = new PressableButton(this);
    button->setObjectName(QStringLiteral("key-") + label);
    button->setAccessibleName(CalcKeys::spokenName(key));
    button->setLabel(label);
    if (key == CalcKey::paste) {
        button->setSymbol(QStringLiteral("doc.on.clipboard"), 12);
        button->setSpacing(5);
        button->setFont(Fonts::ui(12, QFont::Medium));
        button->setFixedSize(Metrics::wideKeyWidth, Metrics::keyHeight);
        button->setToolTip(
            QStringLiteral("Zahl aus der Zwischenablage einf\u00FCgen (auch Strg+V)"));
    } else {
        button->setFont(
            Fonts::rounded(18, key == CalcKey::equals ? QFont::DemiBold : QFont::Normal));
        button->setFixedSize(Metrics::keyWidth, Metrics::keyHeight);
    }
    connect(button, &QAbstractButton::clicked, this, [this, key] { m_model.press(key); });
    m_keys.insert(key, button);
    return button;
}

QList<QWidget*> Keypad::focusOrder() const {
    QList<QWidget*> order;
    for (const QList<CalcKey>& keys : keyRows()) {
        for (CalcKey key : keys)
            order.append(m_keys.value(key));
    }
    return order;
}

void Keypad::refresh() {
    const Theme& theme = m_model.theme();
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        it.value()->setPressable({keyFill(theme, it.key()), Painting::color(theme.pressed), 8});
        it.value()->setForeground(keyText(theme, it.key()));
    }
}
