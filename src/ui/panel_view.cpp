// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_view.h"

#include "app/app_model.h"
#include "model/live_rates.h"
#include "ui/calculator_card.h"
#include "ui/footer_bar.h"
#include "ui/metrics.h"
#include "ui/painting.h"

#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

PanelView::PanelView(AppModel& model, LiveRates& rates, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_rates(rates)
    , m_card(new CalculatorCard(model, rates, this))
    , m_footer(new FooterBar(model, rates, this)) {
    setObjectName(QStringLiteral("panelView"));
    setAccessibleName(QStringLiteral("W\u00E4hrungsrechner"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Metrics::panelPadding, Metrics::panelPadding, Metrics::panelPadding,
                               Metrics::panelPadding);
    layout->setSpacing(12);
    layout->addWidget(m_card);
    layout->addWidget(m_footer);
    // The width is fixed; the height is whatever the content needs.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_card->setFixedWidth(Metrics::contentWidth);
    m_footer->setFixedWidth(Metrics::contentWidth);
    connect(m_footer, &FooterBar::quitRequested, this, &PanelView::quitRequested);

    for (auto signal : {&AppModel::calcTextChanged, &AppModel::amountCurrencyChanged,
                        &AppModel::activeCurrenciesChanged, &AppModel::launchAtLoginChanged,
                        &AppModel::copiedCurrencyChanged, &AppModel::themeChanged})
        connect(&model, signal, this, &PanelView::refresh);
    for (auto signal :
         {&LiveRates::infoChanged, &LiveRates::isLoadingChanged, &LiveRates::hasFailedChanged})
        connect(&rates, signal, this, &PanelView::refresh);
    refresh();
}

QSize PanelView::sizeHint() const {
    return {Metrics::panelWidth, layout()->sizeHint().height()};
}

namespace {

// Qt carries a size change up through nested widgets one posted event at a time, so right after
// rows come or go the panel's size hint can still be stale. Settling the layouts from the
// innermost outwards makes the hint exact at once, which the window's refit relies on.
void settleLayouts(QWidget* widget) {
    for (QObject* child : widget->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            settleLayouts(w);
    }
    if (QLayout* layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

} // namespace

void PanelView::refresh() {
    applyScheme();
    m_card->refresh();
    m_footer->refresh();
    settleLayouts(this);
    // Only now does the footer know the width its lines get.
    if (m_footer->fitToWidth())
        settleLayouts(this);
    orderFocus();
    update();
}

// Tab goes through the controls in reading order, top to bottom and left to right. Qt's own
// order would follow creation, which puts rows rebuilt for new currencies last.
void PanelView::orderFocus() {
    const QList<QWidget*> order = m_card->focusOrder() + m_footer->focusOrder();
    if (order == m_focusOrder)
        return;
    m_focusOrder = order;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void PanelView::applyScheme() {
    const Theme& theme = m_model.theme();
    if (m_schemeFor == theme.id)
        return;
    m_schemeFor = theme.id;

    // The parts Qt draws itself (check box, tool tips) in the theme's dark or light look.
    QPalette palette;
    const QColor text = Painting::color(theme.text);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, Painting::color(theme.background));
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, Painting::color(theme.field));
        palette.setColor(group, QPalette::AlternateBase, Painting::color(theme.card));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, Painting::color(theme.key));
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Highlight, Painting::color(theme.accent));
        palette.setColor(group, QPalette::HighlightedText, Painting::color(theme.accentText));
        palette.setColor(group, QPalette::ToolTipBase, Painting::color(theme.card));
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::PlaceholderText, Painting::color(theme.text, 0.5));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Painting::color(theme.text, 0.4));
    palette.setColor(QPalette::Disabled, QPalette::Text, Painting::color(theme.text, 0.4));
    palette.setColor(QPalette::Disabled, QPalette::Base, Painting::color(theme.field));
    palette.setColor(QPalette::Disabled, QPalette::Window, Painting::color(theme.background));
    const bool dark = theme.scheme == ColorScheme::dark;
    palette.setColor(QPalette::Light, dark ? text.darker(150) : QColor(Qt::white));
    palette.setColor(QPalette::Dark, dark ? QColor(Qt::black) : text.lighter(150));
    setPalette(palette);
    QToolTip::setPalette(palette);
}

// The layout holds the view at exactly its fitting size, so every change of that size arrives
// here, whatever caused it.
void PanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit fittingSizeChanged();
}

void PanelView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Theme& theme = m_model.theme();
    Painting::card(p, QRectF(rect()), Metrics::panelCornerRadius, Painting::color(theme.background),
                   Painting::color(theme.border));
}
