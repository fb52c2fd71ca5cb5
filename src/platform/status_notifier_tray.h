// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/tray.h"

#include <QDBusConnection>

class DBusMenu;
class QDBusPendingCallWatcher;
class StatusNotifierItem;

// Velmora's own StatusNotifierItem, for the desktops whose trays listen on the session bus
// (KDE, GNOME and Ubuntu with the AppIndicator extension, XFCE, LXQt, sway's bar). The host
// keeps the icon's place to itself and passes the click's point with each click. A host that
// drops the item is noticed and asked again; one that keeps dropping it makes the icon count as
// not seen.
class StatusNotifierTray final : public Tray {
    Q_OBJECT

public:
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    // How often, in all, a dropped item is registered again before it counts as not seen.
    static constexpr int registrationsAfterADrop = 3;
    // How long a watcher may take to answer; a loaded GNOME Shell takes seconds.
    static constexpr int answerTimeoutMs = 10000;

    explicit StatusNotifierTray(QDBusConnection bus, QObject* parent = nullptr,
                                Clock clock = Clocks::system);
    ~StatusNotifierTray() override;

    static bool watcherPresent(const QDBusConnection& bus);

    void setStatus(const QString& title, const QString& toolTipText) override;
    void setPanelShown(bool shown) override;
    bool isVisible() const override;
    bool awaitsHost() const override { return m_unanswered > 0; }
    std::optional<QRect> iconRect() const override { return std::nullopt; }

    const QString& serviceName() const { return m_service; }
    bool isRegistered() const { return m_registered; }

private slots:
    // QtDBus connects bus signals by name only.
    void askForHost();
    void checkListed();

private:
    void registerWithWatcher();
    void listed(QDBusPendingCallWatcher* call);
    // A call to the watcher whose answer isVisible() rests on, and its answer's arrival.
    QDBusPendingCallWatcher* ask(const QDBusMessage& call);
    void answered();
    // A debug line whenever isVisible() turns, with the states it follows from.
    void noteVisibility();

    QDBusConnection m_bus;
    QString m_service;
    StatusNotifierItem* m_item;
    DBusMenu* m_menu;
    bool m_registered = false;
    bool m_hostPresent = false;
    int m_drops = 0;
    bool m_givenUp = false;
    bool m_wasVisible = false;
    int m_unanswered = 0;
};
