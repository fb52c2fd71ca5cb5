// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_menu.h"

namespace {

QVariantMap entryProperties(const QString& label) {
    return {{QStringLiteral("label"), label},
            {QStringLiteral("enabled"), true},
            {QStringLiteral("visible"), true}};
}

// Only the asked-for properties, or all of them when none are named.
QVariantMap only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty())
        return properties;
    QVariantMap out;
    for (const QString& name : names) {
        if (properties.contains(name))
            out.insert(name, properties.value(name));
    }
    return out;
}

} // namespace

DBusMenu::DBusMenu(QObject* parent)
    : QObject(parent) {
    DBusTypes::registerAll();
}

QList<MenuLayout> DBusMenu::entries() const {
    return {
        {openClose,
         entryProperties(m_panelShown ? QStringLiteral("Velmora schlie\u00DFen")
                                      : QStringLiteral("Velmora \u00F6ffnen")),
         {}},
        {quit, entryProperties(QStringLiteral("Beenden")), {}},
    };
}

MenuLayout DBusMenu::layout() const {
    return {root, {{QStringLiteral("children-display"), QStringLiteral("submenu")}}, entries()};
}

void DBusMenu::panelShown(bool shown) {
    if (shown == m_panelShown)
        return;
    m_panelShown = shown;
    emit LayoutUpdated(++m_revision, root);
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         MenuLayout& layout) {
    layout = {};
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
    layout.properties = only(layout.properties, propertyNames);
    for (MenuLayout& child : layout.children)
        child.properties = only(child.properties, propertyNames);
    return m_revision;
}

MenuItemPropertiesList DBusMenu::GetGroupProperties(const QList<int>& ids,
                                                    const QStringList& propertyNames) {
    MenuItemPropertiesList out;
    const MenuLayout all = layout();
    if (ids.isEmpty() || ids.contains(root))
        out.append({root, only(all.properties, propertyNames)});
    for (const MenuLayout& entry : all.children) {
        if (ids.isEmpty() || ids.contains(entry.id))
            out.append({entry.id, only(entry.properties, propertyNames)});
    }
    return out;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
    for (const MenuItemProperties& item : GetGroupProperties({id}, {name})) {
        if (item.properties.contains(name))
            return QDBusVariant(item.properties.value(name));
    }
    return QDBusVariant(QString());
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    if (eventId != QLatin1String("clicked"))
        return;
    if (id == openClose)
        emit openCloseChosen();
    else if (id == quit)
        emit quitChosen();
}

QList<int> DBusMenu::EventGroup(const MenuEventList& events) {
    QList<int> unknown;
    for (const MenuEvent& event : events) {
        if (known(event.id))
            Event(event.id, event.eventId, event.data, event.timestamp);
        else
            unknown.append(event.id);
    }
    return unknown;
}

// The entries never change when the menu opens: no update is needed.
bool DBusMenu::AboutToShow(int) {
    return false;
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (int id : ids) {
        if (!known(id))
            idErrors.append(id);
    }
    return {};
}
