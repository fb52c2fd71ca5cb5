// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dbus_types.h"

#include <QObject>

// The item's small menu, com.canonical.dbusmenu version 3, for hosts that show a menu instead of
// passing a click on: "Velmora öffnen" (or "schließen" while the panel is open) and "Beenden".
// Every method a host calls is there, answering as the interface defines; only what is marked
// scriptable goes onto the bus.
class DBusMenu final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    enum Entry { root = 0, openClose = 1, quit = 2 };
    static constexpr const char* path = "/MenuBar";

    explicit DBusMenu(QObject* parent = nullptr);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    MenuLayout layout() const;
    // The panel opened or closed: the first entry's label changes.
    void panelShown(bool shown);

public slots:
    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                MenuLayout& layout);
    Q_SCRIPTABLE MenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                           const QStringList& propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString& name);
    Q_SCRIPTABLE void Event(int id, const QString& eventId, const QDBusVariant& data,
                            uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const MenuEventList& events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);
    Q_SCRIPTABLE void ItemActivationRequested(int id, uint timestamp);

    // For the program, not the bus.
    void openCloseChosen();
    void quitChosen();

private:
    QList<MenuLayout> entries() const;
    static bool known(int id) { return id == root || id == openClose || id == quit; }

    bool m_panelShown = false;
    uint m_revision = 1;
};
