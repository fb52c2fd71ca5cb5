// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tray.h"

#include "platform/status_notifier_tray.h"
#include "platform/x11.h"
#include "platform/xembed_tray.h"

#include <QGuiApplication>
#include <QStyleHints>

Tray* Tray::create(QObject* parent) {
    // A watcher on the session bus means a host that shows our own item, with the rate beside
    // the icon where it can; Qt's icon would show neither label nor menu there.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (StatusNotifierTray::watcherPresent(bus))
        return new StatusNotifierTray(bus, parent);
    if (X11::selectionOwned(X11::systemTraySelection))
        return new XEmbedTray(parent);
    return nullptr;
}

void Tray::iconClicked(std::optional<QPoint> at) {
    const QDateTime now = m_clock();
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    if (m_lastClick.isValid() && m_lastClick.msecsTo(now) < interval)
        return;
    m_lastClick = now;
    emit activated(at);
}
