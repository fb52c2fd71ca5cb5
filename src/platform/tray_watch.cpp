// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tray_watch.h"

#include "platform/status_notifier_tray.h"
#include "platform/x11.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QTimer>

#include <cstdlib>

TrayWatch::TrayWatch(QObject* parent)
    : QObject(parent) {}

TrayWatch::~TrayWatch() {
    if (m_filtering)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayWatch::hostPresent() {
    return X11::selectionOwned(X11::systemTraySelection) ||
           StatusNotifierTray::watcherPresent(QDBusConnection::sessionBus());
}

bool TrayWatch::compositorRunning() {
    return X11::selectionOwned("_NET_WM_CM_S0");
}

void TrayWatch::watch() {
    m_watching = true;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto* watcher =
            new QDBusServiceWatcher(QLatin1String(StatusNotifierTray::watcherService), bus,
                                    QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { appeared(); });
    }

    // An XEmbed tray announces itself with a MANAGER client message on the root window, which
    // reaches us once we listen for structure changes there (keeping Qt's own event mask).
    if (xcb_connection_t* c = X11::connection()) {
        m_managerAtom = X11::atom(c, "MANAGER");
        m_trayAtom = X11::atom(c, X11::systemTraySelection);
        const xcb_window_t root = X11::rootWindow(c);
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
