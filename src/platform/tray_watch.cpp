#include "platform/tray_watch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

xcb_connection_t* x11() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    if (auto* native = app->nativeInterface<QNativeInterface::QX11Application>())
        return native->connection();
    return nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

bool selectionOwned(const char* name) {
    xcb_connection_t* c = x11();
    if (!c)
        return false;
    const xcb_atom_t a = atom(c, name);
    if (a == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

xcb_window_t rootWindow(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem > 0 ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

TrayWatch::TrayWatch(QObject* parent)
    : QObject(parent) {}

TrayWatch::~TrayWatch() {
    if (m_filtering)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayWatch::statusNotifierHostPresent() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(watcherService);
}

bool TrayWatch::hostPresent() {
    return selectionOwned("_NET_SYSTEM_TRAY_S0") || statusNotifierHostPresent();
}

bool TrayWatch::compositorRunning() {
    return selectionOwned("_NET_WM_CM_S0");
}

void TrayWatch::watch() {
    m_watching = true;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(watcherService, bus,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { appeared(); });
    }

    // An XEmbed tray announces itself with a MANAGER client message on the root window, which
    // reaches us once we listen for structure changes there (keeping Qt's own event mask).
    if (xcb_connection_t* c = x11()) {
        m_managerAtom = atom(c, "MANAGER");
        m_trayAtom = atom(c, "_NET_SYSTEM_TRAY_S0");
        const xcb_window_t root = rootWindow(c);
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr);
        const uint32_t mask =
            (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        std::free(attributes);
        xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filtering = true;
    }
    // A host that came up while the watch was being set up has sent its announcement already.
    if (hostPresent())
        QTimer::singleShot(0, this, [this] { appeared(); });
}

bool TrayWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !m_watching)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == m_managerAtom && client->data.data32[1] == m_trayAtom)
        QTimer::singleShot(0, this, [this] { appeared(); }); // not from inside Qt's event dispatch
    return false;
}

void TrayWatch::appeared() {
    if (!m_watching)
        return;
    m_watching = false;
    emit hostAppeared();
}
