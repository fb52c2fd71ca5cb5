// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/footer_bar.h"

#include "app/app_model.h"
#include "model/live_rates.h"
#include "ui/accessibility.h"
#include "ui/check_box.h"
#include "ui/currency_switches.h"
#include "ui/metrics.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/rate_status.h"
#include "ui/text_line.h"
#include "ui/theme_picker.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const QColor quitRed = QColor::fromRgbF(0.776f, 0.157f, 0.157f);

PressableButton* textButton(QWidget* parent, const QString& text, QFont::Weight weight) {
    auto* button = new PressableButton(parent);
    button->setLabel(text);
    button->setAccessibleName(text);
    button->setFont(Fonts::ui(11, weight));
    button->setHorizontalPadding(Metrics::footerButton.padding);
    button->setFixedHeight(Metrics::footerButton.height);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

FooterBar::FooterBar(AppModel& model, LiveRates& rates, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_rates(rates)
    , m_switches(new CurrencySwitches(model, this))
    , m_themePicker(new ThemePicker(model, this))
    , m_rateStatus(new RateStatus(model, rates, this))
    , m_refresh(new PressableButton(this))
    , m_login(new CheckBox(QStringLiteral("Beim Anmelden starten"), this))
    , m_close(textButton(this, QStringLiteral("Schlie\u00DFen"), QFont::Normal))
    , m_quit(textButton(this, QStringLiteral("Beenden"), QFont::DemiBold))
    , m_copyright(new TextLine(this)) {
    setObjectName(QStringLiteral("footerBar"));
    Accessibility::setPresence(this, Accessibility::Presence::flattened);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Metrics::footerMargins);
    layout->setSpacing(Metrics::footerRowGap);
    layout->addLayout(buildFirstRow());
    layout->addLayout(buildSecondRow());
    buildCopyright();
    layout->addWidget(m_copyright);
    refresh();
}

QHBoxLayout* FooterBar::buildFirstRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(Metrics::footerSpacing);
    row->addWidget(m_switches);
    row->addItem(new QSpacerItem(Metrics::footerMinimumGap, 0, QSizePolicy::MinimumExpanding,
                                 QSizePolicy::Minimum));
    row->addWidget(m_themePicker);
    return row;
}

QHBoxLayout* FooterBar::buildSecondRow() {
    auto* row = new QHBoxLayout;
    // Two points less around the buttons than elsewhere give the rate lines the room for a
    // date with its year ("aktualisiert 09.12.25 19:06 Uhr") in the desktop's default font.
    row->setSpacing(Metrics::statusRowSpacing);
    row->addWidget(m_rateStatus, 1);

    m_refresh->setObjectName(QStringLiteral("refresh"));
    m_refresh->setSymbol(QStringLiteral("arrow.clockwise"), Metrics::refreshSymbolSize);
    m_refresh->setFixedSize(Metrics::refreshSize);
    m_refresh->setDisabledOpacity(0.4);
    m_refresh->setToolTip(QStringLiteral("Kurse jetzt aktualisieren"));
    m_refresh->setAccessibleName(m_refresh->toolTip());
    connect(m_refresh, &QAbstractButton::clicked, &m_rates, &LiveRates::refresh);
    row->addWidget(m_refresh);

    m_login->setObjectName(QStringLiteral("launchAtLogin"));
    m_login->setAccessibleName(m_login->text());
    m_login->setFont(Fonts::ui(11));
    m_login->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_login, &QCheckBox::clicked, &m_model, &AppModel::setLaunchAtLogin);
    row->addWidget(m_login);

    m_close->setObjectName(QStringLiteral("close"));
    m_close->setToolTip(QStringLiteral("Fenster schlie\u00DFen, die App l\u00E4uft weiter"));
    connect(m_close, &QAbstractButton::clicked, &m_model, &AppModel::closeWindow);
    row->addWidget(m_close);

    m_quit->setObjectName(QStringLiteral("quit"));
    m_quit->setToolTip(QStringLiteral("App ganz beenden"));
    m_quit->setForeground(Qt::white);
    m_quit->setPressable({quitRed, QColor(255, 255, 255, 64), Metrics::footerButton.radius});
    connect(m_quit, &QAbstractButton::clicked, this, &FooterBar::quitRequested);
    row->addSpacing(Metrics::quitGap);
    row->addWidget(m_quit);
    return row;
}

void FooterBar::buildCopyright() {
    m_copyright->setObjectName(QStringLiteral("copyright"));
    m_copyright->setAttribute(Qt::WA_TransparentForMouseEvents, false); // it carries a tooltip
    m_copyright->setFont(Fonts::ui(9));
    m_copyright->setToolTip(QStringLiteral("Kostenlos, ohne Gew\u00E4hr"));
}

bool FooterBar::fitToWidth() {
    return m_rateStatus->fitToWidth();
}

QList<QWidget*> FooterBar::focusOrder() const {
    return m_switches->focusOrder() + m_themePicker->focusOrder() +
           QList<QWidget*>{m_refresh, m_login, m_close, m_quit};
}

void FooterBar::refresh() {
    const Theme& theme = m_model.theme();
    m_switches->refresh();
    m_themePicker->refresh();
    m_rateStatus->refresh();

    const QColor pressed = Painting::color(theme.pressed);
    m_refresh->setPressable({Painting::color(theme.card), pressed, Metrics::footerButton.radius});
    m_refresh->setForeground(Painting::color(theme.text));
    m_refresh->setEnabled(!m_rates.isLoading());
    m_login->setChecked(m_model.launchAtLogin());
    m_close->setPressable({Painting::color(theme.card), pressed, Metrics::footerButton.radius});
    m_close->setForeground(Painting::color(theme.text));
    m_copyright->setText(QStringLiteral("\u00A9 2026 Velmora"), Painting::color(theme.text, 0.45));
}
