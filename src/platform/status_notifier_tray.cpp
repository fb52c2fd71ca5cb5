// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/status_notifier_tray.h"

#include "platform/icon_art.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QtEndian>

namespace {

const QString itemPath = QStringLiteral("/StatusNotifierItem");
const QString menuPath = QStringLiteral("/MenuBar");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

// The icon at every size hosts ask for at scales 1 to 2, so that none scales a small one up.
SniPixmaps renderIcon() {
    SniPixmaps pixmaps;
    for (int size : IconArt::traySizes) {
        const QImage image = IconArt::render(size);
        QByteArray argb(size * size * 4, Qt::Uninitialized);
        auto* out = reinterpret_cast<uchar*>(argb.data());
        for (int y = 0; y < size; ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x, out += 4)
                qToBigEndian(line[x], out);
        }
        pixmaps.append({size, size, argb});
    }
    return pixmaps;
}

QVariantMap entryProperties(const QString& label) {
    return {{QStringLiteral("label"), label},
            {QStringLiteral("enabled"), true},
            {QStringLiteral("visible"), true}};
}

} // namespace

// ---- the item

StatusNotifierItemObject::StatusNotifierItemObject(StatusNotifierTray& tray)
    : QObject(&tray)
    , m_tray(tray)
    , m_pixmaps(renderIcon()) {}

SniToolTip StatusNotifierItemObject::toolTip() const {
    return {iconName(), m_pixmaps, title(), m_tray.toolTipText()};
}

QDBusObjectPath StatusNotifierItemObject::menu() const {
    return QDBusObjectPath(menuPath);
}

QString StatusNotifierItemObject::label() const {
    return m_tray.title();
}

// Both mouse buttons toggle the panel, as on the design's menu bar; hosts pass the point of the
// click in screen coordinates.
void StatusNotifierItemObject::Activate(int x, int y) {
    m_tray.clicked(QPoint(x, y));
}
void StatusNotifierItemObject::SecondaryActivate(int x, int y) {
    m_tray.clicked(QPoint(x, y));
}
void StatusNotifierItemObject::ContextMenu(int x, int y) {
    m_tray.clicked(QPoint(x, y));
}
void StatusNotifierItemObject::Scroll(int, const QString&) {}

// ---- the menu

DBusMenuObject::DBusMenuObject(StatusNotifierTray& tray)
    : QObject(&tray)
    , m_tray(tray) {}

QList<MenuLayout> DBusMenuObject::entries() const {
    return {
        {openClose,
         entryProperties(m_panelShown ? QStringLiteral("Velmora schlie\u00DFen")
                                      : QStringLiteral("Velmora \u00F6ffnen")),
         {}},
        {quit, entryProperties(QStringLiteral("Beenden")), {}},
    };
}

MenuLayout DBusMenuObject::layout() const {
    return {root, {{QStringLiteral("children-display"), QStringLiteral("submenu")}}, entries()};
}

void DBusMenuObject::panelShown(bool shown) {
    if (shown == m_panelShown)
        return;
    m_panelShown = shown;
    emit LayoutUpdated(++m_revision, root);
}

uint DBusMenuObject::GetLayout(int parentId, int recursionDepth, const QStringList&,
                               MenuLayout& layout) {
    if (parentId == root) {
        layout = this->layout();
        if (recursionDepth == 0)
            layout.children.clear();
    } else {
        for (const MenuLayout& entry : entries()) {
            if (entry.id == parentId)
                layout = entry;
        }
    }
    return m_revision;
}

MenuItemPropertiesList DBusMenuObject::GetGroupProperties(const QList<int>& ids,
                                                          const QStringList&) {
    MenuItemPropertiesList out;
    const MenuLayout all = layout();
    if (ids.isEmpty() || ids.contains(root))
        out.append({root, all.properties});
    for (const MenuLayout& entry : all.children) {
        if (ids.isEmpty() || ids.contains(entry.id))
            out.append({entry.id, entry.properties});
    }
    return out;
}

QDBusVariant DBusMenuObject::GetProperty(int id, const QString& name) {
    for (const MenuItemProperties& item : GetGroupProperties({id}, {})) {
        if (item.properties.contains(name))
            return QDBusVariant(item.properties.value(name));
    }
    return QDBusVariant(QString());
}

void DBusMenuObject::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    if (eventId != QLatin1String("clicked"))
        return;
    if (id == openClose)
        m_tray.clicked(std::nullopt);
    else if (id == quit)
        m_tray.quitChosen();
}

QList<int> DBusMenuObject::EventGroup(const MenuEventList& events) {
    QList<int> unknown;
    for (const MenuEvent& event : events) {
        if (event.id != openClose && event.id != quit && event.id != root)
            unknown.append(event.id);
        else
            Event(event.id, event.eventId, event.data, event.timestamp);
    }
    return unknown;
}

bool DBusMenuObject::AboutToShow(int) {
    return false;
}

QList<int> DBusMenuObject::AboutToShowGroup(const QList<int>&, QList<int>& idErrors) {
    idErrors.clear();
    return {};
}

// ---- the tray

StatusNotifierTray::StatusNotifierTray(QDBusConnection bus, QObject* parent)
    : Tray(parent)
    , m_bus(std::move(bus))
    , m_service(QStringLiteral("org.kde.StatusNotifierItem-%1-1")
                    .arg(QCoreApplication::applicationPid())) {
    DBusTypes::registerAll();
    m_item = new StatusNotifierItemObject(*this);
    m_menu = new DBusMenuObject(*this);
    const auto exported =
        QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties;
    m_bus.registerObject(itemPath, m_item, exported);
    m_bus.registerObject(menuPath, m_menu, exported);
    m_bus.registerService(m_service);

    // A host restarting (a new login, a crashed panel) brings a new watcher: register again.
    auto* watch = new QDBusServiceWatcher(QLatin1String(watcherService), m_bus,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watch, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                m_registered = false;
                m_hostPresent = false;
                if (!newOwner.isEmpty())
                    registerWithWatcher();
            });
    // Whether a host shows the items, as the watcher reports it; no polling.
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        m_bus.connect(QString(), watcherPath, QLatin1String(watcherService), QLatin1String(signal),
                      this, SLOT(askForHost()));
    registerWithWatcher();
}

StatusNotifierTray::~StatusNotifierTray() {
    m_bus.unregisterService(m_service);
    m_bus.unregisterObject(menuPath);
    m_bus.unregisterObject(itemPath);
}

bool StatusNotifierTray::watcherPresent(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QLatin1String(watcherService));
}

void StatusNotifierTray::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(watcherService), watcherPath, QLatin1String(watcherService),
        QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* reply) {
                reply->deleteLater();
                m_registered = !reply->isError();
                askForHost();
            });
}

void StatusNotifierTray::setStatus(const QString& title, const QString& toolTipText) {
    m_title = title;
    m_toolTipText = toolTipText;
    emit m_item->NewTitle();
    emit m_item->NewToolTip();
    emit m_item->XAyatanaNewLabel(m_title, m_item->labelGuide());
}

void StatusNotifierTray::setPanelShown(bool shown) {
    m_menu->panelShown(shown);
}

bool StatusNotifierTray::isVisible() const {
    return m_registered && m_hostPresent;
}

void StatusNotifierTray::askForHost() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1String(watcherService), watcherPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QLatin1String(watcherService) << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *call;
                m_hostPresent = !reply.isError() && reply.value().variant().toBool();
            });
}
