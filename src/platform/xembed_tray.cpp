// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xembed_tray.h"

#include "log/categories.h"
#include "platform/icon_art.h"
#include "platform/x11.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>

XEmbedTray::XEmbedTray(QObject* parent)
    : Tray(parent)
    , m_icon(new QSystemTrayIcon(IconArt::icon())) {
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A double click arrives as Trigger and then DoubleClick: toggle once only.
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
                    iconClicked(std::nullopt);
            });
    m_icon->show();
    takeIconWindow();
    qCDebug(velmoraTray).noquote()
        << QStringLiteral("XEmbed-Symbol angelegt, Infobereich da: %1, Fenster des Symbols: %2")
               .arg(QSystemTrayIcon::isSystemTrayAvailable() ? QLatin1String("true")
                                                             : QLatin1String("false"),
                    m_iconWindow ? QLatin1String("gefunden") : QLatin1String("fehlt"));
}

XEmbedTray::~XEmbedTray() {
    delete m_icon;
}

// The icon is a little window of Qt's own; it gets the program's name, which is what X tools
// and the tray host can read of it (Qt leaves it out of the accessibility tree). Qt asks for 22
// points, which on a scaled screen is wider than the tray is thick, and the tray keeps that
// width: once the tray has set the thickness, the window asks for a square of it, and the art is
// drawn at exactly that size.
void XEmbedTray::takeIconWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QSystemTrayIconSys")) {
            window->setWindowTitle(QStringLiteral("Velmora"));
            window->setAccessibleName(QStringLiteral("Velmora"));
            window->installEventFilter(this);
            m_iconWindow = window;
        }
    }
}

bool XEmbedTray::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_iconWindow && event->type() == QEvent::Resize)
        X11::askForSquare(m_iconWindow->winId());
    return Tray::eventFilter(watched, event);
}

void XEmbedTray::setStatus(const QString&, const QString& toolTipText) {
    m_icon->setToolTip(QStringLiteral("Velmora\n") + toolTipText);
}

bool XEmbedTray::isVisible() const {
    return m_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<QRect> XEmbedTray::iconRect() const {
    const QRect geometry = m_icon->geometry();
    if (!geometry.isValid() || geometry.width() <= 0)
        return std::nullopt;
    return geometry;
}
