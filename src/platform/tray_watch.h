// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

// Finds out whether a tray host is running (a StatusNotifierItem watcher on the session bus,
// or an XEmbed tray owning _NET_SYSTEM_TRAY_S0) and tells when one appears later. Qt decides
// only once per process which kind of tray icon it makes, so the icon is created only once a
// host is there.
class TrayWatch final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit TrayWatch(QObject* parent = nullptr);
    ~TrayWatch() override;

    static bool hostPresent();
    // Whether a compositing manager runs, so that translucent corners show as such.
    static bool compositorRunning();

    // Emits hostAppeared once, on the event loop, when a host shows up; no polling.
    void watch();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void hostAppeared();

private:
    void appeared();

    bool m_watching = false;
    bool m_filtering = false;
    unsigned m_managerAtom = 0;
    unsigned m_trayAtom = 0;
};
