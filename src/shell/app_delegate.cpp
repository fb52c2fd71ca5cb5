// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/app_delegate.h"

#include "app/key_routing.h"
#include "log/categories.h"
#include "model/format.h"
#include "platform/graphical_session.h"
#include "platform/tray.h"
#include "platform/tray_watch.h"
#include "shell/placement.h"
#include "shell/popup_panel.h"
#include "ui/panel_view.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

namespace {

QString yesNo(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QScreen* screenAt(const QPoint& point) {
    if (QScreen* screen = QGuiApplication::screenAt(point))
        return screen;
    return QGuiApplication::primaryScreen();
}

QRect availableAreaAt(const QPoint& point) {
    QScreen* screen = screenAt(point);
    return screen ? screen->availableGeometry() : Placement::assumedArea;
}

// Tray hosts pass points in the X server's pixels; Qt places windows in points.
QPoint fromDevicePixels(const QPoint& point) {
    QList<Placement::Screen> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append({screen->geometry(), screen->devicePixelRatio()});
    return Placement::fromDevicePixels(point, screens);
}

} // namespace

AppDelegate::AppDelegate(Options options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options)) {
    m_store = std::make_unique<RateStore>(m_options.store);
    m_panel = std::make_unique<PopupPanel>();
}

AppDelegate::~AppDelegate() {
    // The panel's content refers to the model, and the model to the store.
    m_panel.reset();
    m_model.reset();
}

void AppDelegate::start() {
    m_options.log(QStringLiteral("Start, Version ") +
                  (m_options.version.isEmpty() ? QStringLiteral("?") : m_options.version) +
                  QStringLiteral(", beim Anmelden: ") + yesNo(m_options.launchedAtLogin));

    // Qt picks the kind of tray icon once per process: make it only when a host is there.
    if (!createTrayIcon()) {
        qCDebug(velmoraTray) << "kein Infobereich da, warte auf einen";
        m_trayWatch = new TrayWatch(this);
        connect(m_trayWatch, &TrayWatch::hostAppeared, this, [this] {
            m_options.log(QStringLiteral("Infobereich gefunden, Symbol angelegt"));
            createTrayIcon();
        });
        m_trayWatch->watch();
    }
    setUpPanel();

    connect(m_store.get(), &RateStore::infoChanged, this, [this] {
        updateStatusTitle();
        refitIfVisible();
    });
    // Every change of the content's size, not only new rates and currencies: the emphasised
    // euro row and the footer's warning line come and go too.
    connect(m_view, &PanelView::fittingSizeChanged, this, &AppDelegate::refitIfVisible);
    m_options.delay(m_options.iconCheckMs, this, [this] { checkIcon(); });
}

bool AppDelegate::createTrayIcon() {
    if (m_tray)
        return true;
    m_tray = Tray::create(this);
    if (!m_tray)
        return false;
    connect(m_tray, &Tray::activated, this, [this](std::optional<QPoint> at) {
        if (at)
            m_clickPosition = at;
        m_iconGuess = guessIcon(at);
        togglePanel();
    });
    connect(m_tray, &Tray::quitRequested, this, [this] { m_options.quit(); });
    // A host that dropped the icon for good leaves nothing to click: say so, and open the panel
    // as for an icon that cannot be seen.
    connect(m_tray, &Tray::visibilityLost, this, [this] {
        if (!m_panel->isVisible())
            checkIcon();
    });
    updateStatusTitle();
    return true;
}

void AppDelegate::setUpPanel() {
    m_model = std::make_unique<AppModel>(*m_store, m_options.model);
    m_view = new PanelView(*m_model, *m_store);
    m_panel->setContent(m_view);
    m_panel->setUseMask(!TrayWatch::compositorRunning());
    m_panel->resize(Placement::panelSize(m_view->sizeHint()));

    AppModel* model = m_model.get();
    connect(model, &AppModel::closeWindowRequested, this,
            [this] { hidePanel(QStringLiteral("Schlie\u00DFen-Knopf")); });
    connect(m_panel.get(), &PopupPanel::keyAction, this, &AppDelegate::carryOut);
    connect(m_panel.get(), &PopupPanel::keyboardRefused, this, [this] {
        m_options.log(
            QStringLiteral("Tastatur nicht \u00FCbernommen: ein anderes Programm h\u00E4lt sie"));
    });
    connect(m_view, &PanelView::quitRequested, this, [this] { m_options.quit(); });
}

void AppDelegate::carryOut(const KeyRouting::Action& action) {
    using Kind = KeyRouting::Action::Kind;
    switch (action.kind) {
    case Kind::press:
        m_model->press(action.key);
        return;
    case Kind::hide:
        hidePanel(QStringLiteral("Esc"));
        return;
    case Kind::copyEuro:
        m_model->copyEuro();
        return;
    case Kind::quit:
        m_options.quit();
        return;
    case Kind::none:
        return;
    }
}

void AppDelegate::togglePanel() {
    if (m_panel->isVisible())
        hidePanel(QStringLiteral("Symbol angeklickt"));
    else
        showPanel(QStringLiteral("Symbol angeklickt"), true);
}

std::optional<QRect> AppDelegate::iconRect() const {
    if (!m_tray)
        return std::nullopt;
    if (const auto icon = m_tray->iconRect())
        return icon;
    return m_iconGuess;
}

// Where the host keeps the icon's place to itself, the click is where it is. A menu entry comes
// without a point: in an X11 session the pointer is on the entry, right by the icon; under
// XWayland the pointer is known only while over an X window, so there the last click's point
// stands in, or else the end of the top edge, where GNOME keeps its status icons.
std::optional<QRect> AppDelegate::guessIcon(std::optional<QPoint> click) const {
    if (click) {
        const QPoint point = fromDevicePixels(*click);
        QScreen* screen = screenAt(point);
        if (!screen)
            return QRect(point, QSize(1, 1));
        return Placement::iconAround(point, screen->geometry(), screen->availableGeometry());
    }
    if (!GraphicalSession::wayland()) {
        const QPoint pointer = QCursor::pos();
        QScreen* screen = screenAt(pointer);
        return screen ? std::optional(Placement::iconForMenu(pointer, screen->availableGeometry()))
                      : std::nullopt;
    }
    if (m_clickPosition)
        return guessIcon(m_clickPosition);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    return Placement::iconForMenu(area.topRight(), area);
}

Placement::Spot AppDelegate::spotFor(bool underIcon) const {
    const QSize size = Placement::panelSize(m_view->sizeHint());
    const int scrollBar = m_panel->scrollBarExtent();
    const auto icon = iconRect();
    if ((underIcon || isStatusIconVisible()) && icon) {
        qCDebug(velmoraPlacement).noquote()
            << QStringLiteral("am Symbol %1, %2")
                   .arg(Placement::describe(QRectF(*icon)),
                        underIcon ? QLatin1String("das angeklickt wurde")
                                  : QLatin1String("das zu sehen ist"));
        return Placement::nearIcon(*icon, availableAreaAt(icon->center()), size, scrollBar);
    }
    qCDebug(velmoraPlacement).noquote()
        << QStringLiteral("mittig: ") + (icon ? QLatin1String("das Symbol ist nicht zu sehen")
                                              : QLatin1String("kein Ort des Symbols bekannt"));
    QScreen* screen = QGuiApplication::primaryScreen();
    return Placement::centred(screen ? screen->availableGeometry() : Placement::assumedArea, size,
                              scrollBar);
}

void AppDelegate::showPanel(const QString& reason, bool underIcon) {
    m_options.log(QStringLiteral("Fenster \u00F6ffnen: ") + reason);
    m_store->refresh();
    if (!m_panel->isVisible()) {
        m_spot = spotFor(underIcon);
        m_panel->setGeometry(m_spot.frame);
        qCDebug(velmoraPlacement).noquote() << QStringLiteral("Rahmen %1 in %2")
                                                   .arg(Placement::describe(QRectF(m_spot.frame)),
                                                        Placement::describe(QRectF(m_spot.room)));
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    m_panel->setFocus(Qt::ActiveWindowFocusReason);
    m_highlighted = true;
    if (m_tray)
        m_tray->setPanelShown(true);
    m_options.log(QStringLiteral("Fenster sichtbar: ") + yesNo(m_panel->isVisible()) +
                  QStringLiteral(", Rahmen ") + Placement::describe(QRectF(m_panel->geometry())) +
                  QStringLiteral(", App aktiv: ") +
                  yesNo(QGuiApplication::applicationState() == Qt::ApplicationActive));
}

void AppDelegate::hidePanel(const QString& reason) {
    if (!m_panel->isVisible())
        return;
    m_options.log(QStringLiteral("Fenster schlie\u00DFen: ") + reason);
    m_panel->hide();
    m_highlighted = false;
    if (m_tray)
        m_tray->setPanelShown(false);
}

void AppDelegate::refitIfVisible() {
    if (!m_panel->isVisible())
        return;
    m_options.delay(m_options.refitDelayMs, m_panel.get(), [this] {
        if (!m_panel->isVisible() || !m_view)
            return;
        const QRect old = m_panel->geometry();
        if (old.topLeft() != m_spot.frame.topLeft()) {
            QScreen* screen = m_panel->screen();
            m_spot = Placement::moved(old, screen ? screen->availableGeometry()
                                                  : Placement::assumedArea);
        }
        m_spot.frame = old;
        const QRect frame = Placement::refit(m_spot, Placement::panelSize(m_view->sizeHint()),
                                             m_panel->scrollBarExtent());
        if (frame.size() == old.size())
            return;
        m_options.log(QStringLiteral("Fenstergr\u00F6\u00DFe %1\u00D7%2 \u2192 %3\u00D7%4")
                          .arg(old.width())
                          .arg(old.height())
                          .arg(frame.width())
                          .arg(frame.height()));
        qCDebug(velmoraPlacement).noquote() << QStringLiteral("neu eingepasst: Rahmen %1 in %2")
                                                   .arg(Placement::describe(QRectF(frame)),
                                                        Placement::describe(QRectF(m_spot.room)));
        m_panel->setGeometry(frame);
        m_spot.frame = frame;
    });
}

bool AppDelegate::isStatusIconVisible() const {
    return m_tray && m_tray->isVisible();
}

void AppDelegate::updateStatusTitle() {
    if (!m_tray)
        return;
    const auto& info = m_store->info();
    const auto rate = info ? info->rate(Currencies::featured) : std::nullopt;
    // The title beside the icon is the featured currency's price of one euro; the tool tip says
    // what it is.
    m_tray->setStatus(rate ? Format::number(*rate, 2) : QString(),
                      rate ? Format::perEuro(Currencies::featured, *rate, 2)
                           : QStringLiteral("Noch kein Kurs"));
}

void AppDelegate::checkIcon() {
    // Decided on the host's answer, not on its silence: a loaded GNOME Shell takes the item
    // seconds after it was asked, and a panel opened in the middle meanwhile would be wrong.
    if (m_tray && m_tray->awaitsHost()) {
        if (!m_iconCheckWaits) {
            m_iconCheckWaits = true;
            connect(
                m_tray, &Tray::hostAnswered, this,
                [this] {
                    m_iconCheckWaits = false;
                    checkIcon();
                },
                Qt::SingleShotConnection);
        }
        return;
    }
    const bool visible = isStatusIconVisible();
    QString details = QStringLiteral("kein Fenster");
    if (m_tray) {
        // A StatusNotifierItem host keeps the icon's place to itself: a rectangle of zeros.
        const QRect icon = m_tray->iconRect().value_or(QRect());
        QScreen* screen = icon.isNull() ? QGuiApplication::primaryScreen()
                                        : QGuiApplication::screenAt(icon.center());
        details = QStringLiteral("Rahmen ") + Placement::describe(QRectF(icon)) +
                  QStringLiteral(", verdeckt: ") + yesNo(!visible) +
                  QStringLiteral(", Bildschirm ") +
                  Placement::describe(screen ? QRectF(screen->geometry()) : QRectF()) +
                  QStringLiteral(", rechts vom Notch ") + Placement::describe(QRectF());
    }
    m_options.log(QStringLiteral("Symbol sichtbar: ") + yesNo(visible) + QStringLiteral("  ") +
                  details);
    if (!visible && !m_options.launchedAtLogin)
        showPanel(QStringLiteral("Symbol nicht sichtbar"));
}
