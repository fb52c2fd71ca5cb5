// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/status_notifier_tray.h"

#include "log/categories.h"
#include "platform/dbus_menu.h"
#include "platform/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {

const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

QDBusMessage watcherProperty(const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1String(StatusNotifierTray::watcherService), watcherPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QLatin1String(StatusNotifierTray::watcherService) << name;
    return get;
}

} // namespace

StatusNotifierTray::StatusNotifierTray(QDBusConnection bus, QObject* parent, Clock clock)
    : Tray(parent, std::move(clock))
    , m_bus(std::move(bus))
    , m_service(
          QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()))
    , m_item(new StatusNotifierItem(this))
    , m_menu(new DBusMenu(this)) {
    connect(m_item, &StatusNotifierItem::clicked, this, [this](QPoint at) { iconClicked(at); });
    connect(m_menu, &DBusMenu::openCloseChosen, this, [this] { emit activated(std::nullopt); });
    connect(m_menu, &DBusMenu::quitChosen, this, &Tray::quitRequested);

    const auto exported =
        QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties;
    m_bus.registerObject(QLatin1String(StatusNotifierItem::path), m_item, exported);
    m_bus.registerObject(QLatin1String(DBusMenu::path), m_menu, exported);
    m_bus.registerService(m_service);

    // A host restarting (a new login, a crashed panel) brings a new watcher: register again.
    auto* watch = new QDBusServiceWatcher(QLatin1String(watcherService), m_bus,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watch, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                qCDebug(velmoraTray).noquote()
                    << QLatin1String(watcherService)
                    << (newOwner.isEmpty() ? QLatin1String("beendet") : QLatin1String("neu da"));
                m_registered = false;
                m_hostPresent = false;
                m_drops = 0;
                m_givenUp = false;
                noteVisibility();
                if (!newOwner.isEmpty())
                    registerWithWatcher();
            });
    // Whether a host shows the items, as the watcher reports it; no polling.
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        m_bus.connect(QString(), watcherPath, QLatin1String(watcherService), QLatin1String(signal),
                      this, SLOT(askForHost()));
    // A host may drop an item it failed to read: the watcher then says so.
    m_bus.connect(QString(), watcherPath, QLatin1String(watcherService),
                  QStringLiteral("StatusNotifierItemUnregistered"), this, SLOT(checkListed()));
    registerWithWatcher();
}

StatusNotifierTray::~StatusNotifierTray() {
    m_bus.unregisterService(m_service);
    m_bus.unregisterObject(QLatin1String(DBusMenu::path));
    m_bus.unregisterObject(QLatin1String(StatusNotifierItem::path));
}

bool StatusNotifierTray::watcherPresent(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QLatin1String(watcherService));
}

void StatusNotifierTray::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(watcherService), watcherPath, QLatin1String(watcherService),
        QStringLiteral("RegisterStatusNotifierItem"));
    // By the connection's unique name, not the well-known one: GNOME's AppIndicator extension
    // watches a well-known name besides reading the item, and when that watch reports the name
    // after the first reading it clears the properties it read, compares the ones it reads
    // again with nothing and drops the item.
    call << m_bus.baseService();
    connect(ask(call), &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* reply) {
                reply->deleteLater();
                m_registered = !reply->isError();
                if (m_registered) {
                    qCDebug(velmoraTray).noquote()
                        << QLatin1String("beim Watcher angemeldet als") << m_bus.baseService();
                } else {
                    qCDebug(velmoraTray).noquote()
                        << QLatin1String("Anmeldung beim Watcher gescheitert:")
                        << reply->error().message();
                }
                noteVisibility();
                askForHost();
                answered();
            });
}

void StatusNotifierTray::setStatus(const QString& title, const QString& toolTipText) {
    // Before the watcher has the item no host has read it: the signals would only race the
    // host's first reading of its properties.
    m_item->setStatus(title, toolTipText, m_registered);
}

void StatusNotifierTray::setPanelShown(bool shown) {
    m_menu->panelShown(shown);
}

bool StatusNotifierTray::isVisible() const {
    return m_registered && m_hostPresent && !m_givenUp;
}

void StatusNotifierTray::askForHost() {
    connect(ask(watcherProperty(QStringLiteral("IsStatusNotifierHostRegistered"))),
            &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *call;
                m_hostPresent = !reply.isError() && reply.value().variant().toBool();
                noteVisibility();
                answered();
            });
}

QDBusPendingCallWatcher* StatusNotifierTray::ask(const QDBusMessage& call) {
    ++m_unanswered;
    return new QDBusPendingCallWatcher(m_bus.asyncCall(call, answerTimeoutMs), this);
}

void StatusNotifierTray::answered() {
    if (--m_unanswered == 0)
        emit hostAnswered();
}

void StatusNotifierTray::checkListed() {
    if (!m_registered || m_givenUp)
        return;
    auto* pending = new QDBusPendingCallWatcher(
        m_bus.asyncCall(watcherProperty(QStringLiteral("RegisteredStatusNotifierItems"))), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, &StatusNotifierTray::listed);
}

// Watchers list an item by the name it registered with, alone or followed by the object's path
// ("/StatusNotifierItem"; GNOME's extension writes "@/StatusNotifierItem").
void StatusNotifierTray::listed(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusPendingReply<QDBusVariant> reply = *call;
    if (reply.isError())
        return;
    const QString unique = m_bus.baseService();
    for (const QString& entry : reply.value().variant().toStringList()) {
        QString name = entry.section(QLatin1Char('/'), 0, 0);
        if (name.endsWith(QLatin1Char('@')))
            name.chop(1);
        if (name == unique || name == m_service)
            return;
    }
    if (++m_drops > registrationsAfterADrop) {
        qCDebug(velmoraTray) << "vom Watcher nicht mehr gef\u00FChrt, aufgegeben";
        m_givenUp = true;
        noteVisibility();
        emit visibilityLost();
        return;
    }
    qCDebug(velmoraTray).noquote()
        << QStringLiteral("vom Watcher nicht mehr gef\u00FChrt, neue Anmeldung %1 von %2")
               .arg(m_drops)
               .arg(registrationsAfterADrop);
    registerWithWatcher();
}

void StatusNotifierTray::noteVisibility() {
    if (isVisible() == m_wasVisible)
        return;
    m_wasVisible = isVisible();
    const auto text = [](bool value) {
        return value ? QLatin1String("true") : QLatin1String("false");
    };
    qCDebug(velmoraTray).noquote()
        << QStringLiteral("Symbol sichtbar: %1 (angemeldet: %2, Host: %3, aufgegeben: %4)")
               .arg(text(m_wasVisible), text(m_registered), text(m_hostPresent), text(m_givenUp));
}
