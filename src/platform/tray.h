// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/clock.h"

#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

// The program's icon in the desktop's tray, whichever kind the desktop runs: a
// StatusNotifierItem host on the session bus, or an XEmbed tray.
class Tray : public QObject {
    Q_OBJECT

public:
    explicit Tray(QObject* parent = nullptr, Clock clock = Clocks::system)
        : QObject(parent)
        , m_clock(std::move(clock)) {}

    // The kind the desktop offers now, or nothing when it shows no tray at all.
    static Tray* create(QObject* parent);

    // `title` goes beside the icon where the host shows text (the baht rate, "39,50"; empty
    // without rates); `toolTipText` is the tool tip's line under the program's name.
    virtual void setStatus(const QString& title, const QString& toolTipText) = 0;
    // The panel is open or not: the menu's first entry says what a click on it will do.
    virtual void setPanelShown(bool shown) = 0;
    // Whether a person can see the icon now.
    virtual bool isVisible() const = 0;
    // Whether the host has yet to answer what isVisible() rests on: a busy desktop can take
    // longer to take the icon than a program waits before it asks.
    virtual bool awaitsHost() const { return false; }
    // Where the icon is on the screen; nothing where the host keeps that to itself.
    virtual std::optional<QRect> iconRect() const = 0;

signals:
    // A click on the icon, with either button, or the menu's entry that opens and closes the
    // panel; `at` is where the host says the click was, if it says.
    void activated(std::optional<QPoint> at);
    // "Beenden" in the menu some hosts show instead of passing a right click on.
    void quitRequested();
    // The host stopped showing the icon for good: a person can no longer see it.
    void visibilityLost();
    // The host has answered: isVisible() now rests on what it said.
    void hostAnswered();

protected:
    // A click on the icon. Some hosts pass both clicks of a double click on as two: the second,
    // within the desktop's double-click interval, is not another click.
    void iconClicked(std::optional<QPoint> at);

private:
    Clock m_clock;
    QDateTime m_lastClick;
};
