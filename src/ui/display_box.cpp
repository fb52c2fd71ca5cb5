// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_box.h"

#include "app/app_model.h"
#include "model/format.h"
#include "ui/accessibility.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

PressableButton* smallActionButton(QWidget* parent, const QString& symbol, const QString& name) {
    auto* button = new PressableButton(parent);
    button->setSymbol(symbol, 10);
    button->setLabel(name);
    button->setFont(Fonts::ui(10, QFont::Medium));
    button->setSpacing(4);
    button->setHorizontalPadding(7);
    button->setFixedHeight(20);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

DisplayBox::DisplayBox(AppModel& model, QWidget* parent)
    : FilledBox(8, parent)
    , m_model(model)
    , m_reset(smallActionButton(this, QStringLiteral("arrow.counterclockwise"),
                                QStringLiteral("Alles zur\u00FCcksetzen")))
    , m_copyEuro(smallActionButton(this, QStringLiteral("doc.on.doc"), QStringLiteral("Kopieren")))
    , m_line(new TextLine(this))
    , m_preview(new TextLine(this)) {
    setObjectName(QStringLiteral("display"));
    setAccessibleName(QStringLiteral("Anzeige"));
    // The line speaks for the preview under it: one text, "12 × 3  = 36,00".
    Accessibility::setPresence(m_preview, Accessibility::Presence::hidden);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(2);

    m_reset->setToolTip(QStringLiteral("Zahl l\u00F6schen und W\u00E4hrung zur\u00FCckstellen"));
    m_reset->setAccessibleName(m_reset->label());
    connect(m_reset, &QAbstractButton::clicked, &m_model, &AppModel::resetAll);
    m_copyEuro->setObjectName(QStringLiteral("copyEuro"));
    m_copyEuro->setDisabledOpacity(0.4);
    connect(m_copyEuro, &QAbstractButton::clicked, &m_model, &AppModel::copyEuro);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    actions->addWidget(m_reset);
    actions->addWidget(m_copyEuro);
    actions->addStretch(1);
    layout->addLayout(actions);

    m_line->setObjectName(QStringLiteral("calcText"));
    m_line->setFont(Fonts::rounded(24));
    m_line->setFixedHeight(30);
    m_line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_line->setElideMode(Qt::ElideLeft);
    m_line->setMinimumScale(0.6);
    layout->addWidget(m_line);

    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFont(Fonts::ui(11));
    m_preview->setFixedHeight(14);
    m_preview->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_preview);
}

void DisplayBox::refresh() {
    const Theme& theme = m_model.theme();
    setFill(Painting::color(theme.field));
    m_reset->setPressable({Painting::color(theme.key), Painting::color(theme.pressed), 5});
    m_reset->setForeground(Painting::color(theme.text));
    refreshCopyButton();

    const QString& line = m_model.calcText();
    m_line->setText(line.isEmpty() ? QStringLiteral("0") : line,
                    Painting::color(theme.text, line.isEmpty() ? 0.35 : 1.0));
    const auto preview = m_model.calcPreview();
    m_preview->setText(preview.value_or(QStringLiteral(" ")), Painting::color(theme.text, 0.6));
    m_line->setAccessibleName((line.isEmpty() ? QStringLiteral("0") : line) +
                              (preview ? QStringLiteral("  ") + *preview : QString()));
}

void DisplayBox::refreshCopyButton() {
    const Theme& theme = m_model.theme();
    const bool copied = m_model.copiedCurrency() == Currency::eur;
    const auto euro = m_model.converted(Currency::eur);
    m_copyEuro->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"), 10);
    m_copyEuro->setLabel(copied ? QStringLiteral("Kopiert") : QStringLiteral("Kopieren"));
    m_copyEuro->setAccessibleName(m_copyEuro->label());
    m_copyEuro->setForeground(Painting::color(copied ? theme.accentText : theme.text));
    m_copyEuro->setPressable(
        {Painting::color(copied ? theme.accent : theme.key), Painting::color(theme.pressed), 5});
    m_copyEuro->setEnabled(euro.has_value());
    m_copyEuro->setToolTip(
        euro
            ? QStringLiteral("Euro-Betrag ") + Format::money(*euro) +
                  QStringLiteral(" kopieren (auch Strg+C). Andere Betr\u00E4ge: einfach anklicken.")
            : QStringLiteral("Erst eine Zahl eingeben"));
}

QList<QWidget*> DisplayBox::focusOrder() const {
    return {m_reset, m_copyEuro};
}
