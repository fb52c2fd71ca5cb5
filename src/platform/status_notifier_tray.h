// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dbus_types.h"
#include "platform/tray.h"

#include <QDBusConnection>
#include <QDBusObjectPath>

class StatusNotifierTray;

// The object a StatusNotifierItem host reads: org.kde.StatusNotifierItem at /StatusNotifierItem.
// Only what is marked scriptable goes onto the bus.
class StatusNotifierItemObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(SniPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ none)
    Q_PROPERTY(SniPixmaps OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ none)
    Q_PROPERTY(SniPixmaps AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ none)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(QString XAyatanaLabel READ label)
    Q_PROPERTY(QString XAyatanaLabelGuide READ labelGuide)
    Q_PROPERTY(uint XAyatanaOrderingIndex READ orderingIndex)

public:
    explicit StatusNotifierItemObject(StatusNotifierTray& tray);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("velmora"); }
    QString title() const { return QStringLiteral("Velmora"); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconThemePath() const { return {}; }
    QDBusObjectPath menu() const;
    bool itemIsMenu() const { return false; }
    QString iconName() const { return QStringLiteral("velmora"); }
    SniPixmaps iconPixmap() const { return m_pixmaps; }
    QString none() const { return {}; }
    SniPixmaps noPixmaps() const { return {}; }
    SniToolTip toolTip() const;
    QString label() const;
    // The widest label to expect, so that hosts keep room for it.
    QString labelGuide() const { return QStringLiteral("88,88"); }
    uint orderingIndex() const { return 0; }

public slots:
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString& status);
    Q_SCRIPTABLE void XAyatanaNewLabel(const QString& label, const QString& guide);

private:
    StatusNotifierTray& m_tray;
    SniPixmaps m_pixmaps;
};

// The small menu at /MenuBar for hosts that show a menu on right click instead of passing the
// click on: "Velmora öffnen" (or "schließen") and "Beenden". com.canonical.dbusmenu, version 3.
class DBusMenuObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    enum Entry { root = 0, openClose = 1, quit = 2 };

    explicit DBusMenuObject(StatusNotifierTray& tray);

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

private:
    QList<MenuLayout> entries() const;

    StatusNotifierTray& m_tray;
    bool m_panelShown = false;
    uint m_revision = 1;
};

// Velmora's own StatusNotifierItem, for the desktops whose trays listen on the session bus
// (KDE, GNOME and Ubuntu with the AppIndicator extension, XFCE, LXQt, sway's bar). The host
// keeps the icon's place to itself and passes the click's point with each click.
class StatusNotifierTray final : public Tray {
    Q_OBJECT

public:
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";

    explicit StatusNotifierTray(QDBusConnection bus, QObject* parent = nullptr);
    ~StatusNotifierTray() override;

    static bool watcherPresent(const QDBusConnection& bus);

    void setStatus(const QString& title, const QString& toolTipText) override;
    void setPanelShown(bool shown) override;
    bool isVisible() const override;
    std::optional<QRect> iconRect() const override { return std::nullopt; }

    const QString& serviceName() const { return m_service; }
    bool isRegistered() const { return m_registered; }
    const QString& title() const { return m_title; }
    const QString& toolTipText() const { return m_toolTipText; }

    // Called by the exported objects.
    void clicked(std::optional<QPoint> at) { emit activated(at); }
    void quitChosen() { emit quitRequested(); }

private slots:
    // QtDBus connects bus signals by name only.
    void askForHost();

private:
    void registerWithWatcher();

    QDBusConnection m_bus;
    QString m_service;
    StatusNotifierItemObject* m_item;
    DBusMenuObject* m_menu;
    QString m_title;
    QString m_toolTipText;
    bool m_registered = false;
    bool m_hostPresent = false;
};
