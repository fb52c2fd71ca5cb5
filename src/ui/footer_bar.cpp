#include "ui/footer_bar.h"

#include "app/app_model.h"
#include "rates/rate_store.h"
#include "ui/footer_text.h"
#include "ui/painting.h"
#include "ui/pressable_button.h"
#include "ui/text_line.h"
#include "ui/theme_picker.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const QColor quitRed = QColor::fromRgbF(0.776f, 0.157f, 0.157f);

PressableButton* textButton(QWidget* parent, const QString& text, QFont::Weight weight) {
    auto* button = new PressableButton(parent);
    button->setLabel(text);
    button->setAccessibleName(text);
    button->setFont(Fonts::ui(11, weight));
    button->setHorizontalPadding(8);
    button->setFixedHeight(22);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

FooterBar::FooterBar(AppModel& model, RateStore& store, QWidget* parent)
    : QWidget(parent), m_model(model), m_store(store) {
    setObjectName(QStringLiteral("footerBar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(10);
    layout->addLayout(buildFirstRow());
    layout->addLayout(buildSecondRow());

    m_copyright = new TextLine(this);
    m_copyright->setObjectName(QStringLiteral("copyright"));
    m_copyright->setAttribute(Qt::WA_TransparentForMouseEvents, false); // it carries a tooltip
    m_copyright->setFont(Fonts::ui(9));
    m_copyright->setToolTip(QStringLiteral("Kostenlos, ohne Gew\u00E4hr"));
    layout->addWidget(m_copyright);
    refresh();
}

QHBoxLayout* FooterBar::buildFirstRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(buildSwitches());
    // A flexible space that never gets narrower than 12 points.
    row->addItem(new QSpacerItem(12, 0, QSizePolicy::MinimumExpanding, QSizePolicy::Minimum));
    m_themePicker = new ThemePicker(m_model, this);
    row->addWidget(m_themePicker);
    return row;
}

QHBoxLayout* FooterBar::buildSecondRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(buildRateInfo(), 1);
    buildButtons(row);
    return row;
}

QWidget* FooterBar::buildRateInfo() {
    auto* info = new QWidget(this);
    auto* layout = new QVBoxLayout(info);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_source = new TextLine(info);
    m_source->setObjectName(QStringLiteral("sourceLine"));
    m_source->setFont(Fonts::ui(10));
    m_status = new TextLine(info);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setFont(Fonts::ui(10));
    layout->addWidget(m_source);
    layout->addWidget(m_status);
    // The info lines give way first when room is short; the buttons keep their size.
    info->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return info;
}

void FooterBar::buildButtons(QHBoxLayout* row) {
    m_refresh = new PressableButton(this);
    m_refresh->setObjectName(QStringLiteral("refresh"));
    m_refresh->setSymbol(QStringLiteral("arrow.clockwise"), 12);
    m_refresh->setFixedSize(24, 22);
    m_refresh->setDisabledOpacity(0.4);
    m_refresh->setToolTip(QStringLiteral("Kurse jetzt aktualisieren"));
    m_refresh->setAccessibleName(m_refresh->toolTip());
    connect(m_refresh, &QAbstractButton::clicked, &m_store, &RateStore::refresh);
    row->addWidget(m_refresh);

    m_login = new QCheckBox(QStringLiteral("Beim Anmelden starten"), this);
    m_login->setObjectName(QStringLiteral("launchAtLogin"));
    m_login->setAccessibleName(m_login->text());
    m_login->setFont(Fonts::ui(11));
    m_login->setFocusPolicy(Qt::NoFocus);
    m_login->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_login, &QCheckBox::clicked, &m_model, &AppModel::setLaunchAtLogin);
    row->addWidget(m_login);

    m_close = textButton(this, QStringLiteral("Schlie\u00DFen"), QFont::Normal);
    m_close->setObjectName(QStringLiteral("close"));
    m_close->setToolTip(QStringLiteral("Fenster schlie\u00DFen, die App l\u00E4uft weiter"));
    connect(m_close, &QAbstractButton::clicked, &m_model, &AppModel::closeWindow);
    row->addWidget(m_close);

    m_quitButton = textButton(this, QStringLiteral("Beenden"), QFont::DemiBold);
    m_quitButton->setObjectName(QStringLiteral("quit"));
    m_quitButton->setToolTip(QStringLiteral("App ganz beenden"));
    m_quitButton->setForeground(Qt::white);
    m_quitButton->setPressable({quitRed, QColor(255, 255, 255, 64), 6});
    connect(m_quitButton, &QAbstractButton::clicked, this, &FooterBar::quitRequested);
    row->addSpacing(8);
    row->addWidget(m_quitButton);
}

QWidget* FooterBar::buildSwitches() {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("currencySwitches"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    m_switchCaption = new TextLine(box);
    m_switchCaption->setFont(Fonts::ui(10));
    m_switchCaption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(m_switchCaption);
    for (Currency c : Currencies::allCases) {
        auto* button = new PressableButton(box);
        button->setObjectName(QStringLiteral("switch-") + Currencies::code(c));
        button->setLabel(Currencies::symbol(c));
        button->setFont(Fonts::ui(12, QFont::Medium));
        button->setSpacing(3);
        button->setFixedSize(38, 22);
        if (c == Currency::eur) {
            button->setEnabled(false);
            button->setToolTip(QStringLiteral("Euro ist deine Heimatw\u00E4hrung und immer an"));
        } else {
            connect(button, &QAbstractButton::clicked, this,
                    [this, c] { m_model.setActive(c, !m_model.isActive(c)); });
        }
        row->addWidget(button);
        m_switches.insert(c, button);
    }
    return box;
}

void FooterBar::refresh() {
    const Theme& theme = m_model.theme();
    refreshSwitches();
    m_themePicker->refresh();
    refreshRateInfo();

    const QColor pressed = Painting::color(theme.pressed);
    m_refresh->setPressable({Painting::color(theme.card), pressed, 6});
    m_refresh->setForeground(Painting::color(theme.text));
    m_refresh->setEnabled(!m_store.isLoading());
    m_login->setChecked(m_model.launchAtLogin());
    m_close->setPressable({Painting::color(theme.card), pressed, 6});
    m_close->setForeground(Painting::color(theme.text));
    m_copyright->setText(QStringLiteral("\u00A9 2026 Velmora"), Painting::color(theme.text, 0.45));
}

void FooterBar::refreshSwitches() {
    const Theme& theme = m_model.theme();
    m_switchCaption->setText(QStringLiteral("W\u00E4hrungen"), Painting::color(theme.text, 0.55));
    m_switchCaption->setFixedWidth(m_switchCaption->sizeHint().width());
    for (auto it = m_switches.cbegin(); it != m_switches.cend(); ++it) {
        const Currency c = it.key();
        PressableButton* button = it.value();
        const bool active = m_model.isActive(c);
        button->setSymbol(active ? QStringLiteral("checkmark") : QStringLiteral("plus"), 7);
        button->setForeground(active ? Painting::color(theme.accentText)
                                     : Painting::color(theme.text, 0.7));
        const QColor fill = active ? Painting::color(theme.accent, c == Currency::eur ? 0.55 : 1.0)
                                   : Painting::color(theme.field);
        button->setPressable({fill, Painting::color(theme.pressed), 6});
        if (c != Currency::eur)
            button->setToolTip(Currencies::code(c) + (active ? QStringLiteral(" ausschalten")
                                                             : QStringLiteral(" einschalten")));
        button->setAccessibleName(button->toolTip());
    }
}

void FooterBar::refreshRateInfo() {
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
