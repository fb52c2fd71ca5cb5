// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/app_model.h"
#include "rates/rate_store.h"
#include "shell/placement.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

namespace KeyRouting {
struct Action;
}
class PanelView;
class PopupPanel;
class Tray;
class TrayWatch;

// Starts everything and owns it: the rate store, the model, the panel and the tray icon.
// Decides where the panel opens, refits it when its content changes size, and writes a
// diagnostic line for every opening, closing and resizing.
class AppDelegate final : public QObject {
    Q_OBJECT

public:
    struct Options {
        RateStore::Options store;
        AppModel::Options model;
        bool launchedAtLogin = false;
        QString version;
        std::function<void(const QString&)> log = [](const QString&) {};
        int iconCheckMs = 1500;
        int refitDelayMs = 80;
        // The icon check and the refits wait through this; tests move it on by hand.
        AppModel::Delay delay = &AppModel::onTimer;
        std::function<void()> quit = [] {}; // what "Beenden" and Ctrl+Q do
    };

    explicit AppDelegate(Options options, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The start-up sequence after the crash hooks: log line, tray icon, panel, subscriptions,
    // and the icon check a moment later.
    void start();

    void togglePanel();
    void showPanel(const QString& reason, bool underIcon = false);
    void hidePanel(const QString& reason);
    void refitIfVisible();
    bool isStatusIconVisible() const;
    void updateStatusTitle();

    RateStore& store() { return *m_store; }
    AppModel& model() { return *m_model; }
    PopupPanel& panel() { return *m_panel; }
    bool isHighlighted() const { return m_highlighted; }

private:
    // The icon for the tray the desktop runs now; false when there is none yet.
    bool createTrayIcon();
    void setUpPanel();
    void checkIcon();
    void carryOut(const KeyRouting::Action& action);
    std::optional<QRect> iconRect() const;
    // The icon for a click the host passed with or without its point.
    std::optional<QRect> guessIcon(std::optional<QPoint> click) const;
    // The spot for a panel opened now: next to the icon, or centred.
    Placement::Spot spotFor(bool underIcon) const;

    Options m_options;
    std::unique_ptr<RateStore> m_store;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<PopupPanel> m_panel;
    PanelView* m_view = nullptr;
    Tray* m_tray = nullptr;
    TrayWatch* m_trayWatch = nullptr;
    // Where the last click was, as the host passed it (in device pixels), and the icon as
    // guessed from it or from where a menu entry was chosen.
    std::optional<QPoint> m_clickPosition;
    std::optional<QRect> m_iconGuess;
    Placement::Spot m_spot;
    bool m_highlighted = false;
    bool m_iconCheckWaits = false;
};
