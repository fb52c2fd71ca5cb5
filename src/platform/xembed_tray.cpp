// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xembed_tray.h"

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>

XEmbedTray::XEmbedTray(QObject* parent)
    : Tray(parent)
    , m_icon(new QSystemTrayIcon(QIcon(QStringLiteral(":/app/velmora.svg")))) {
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A double click arrives as Trigger and then DoubleClick: toggle once only.
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
                    emit activated(std::nullopt);
            });
    m_icon->show();
    nameIconWindow();
}

XEmbedTray::~XEmbedTray() {
    delete m_icon;
}

// The icon is a little window of Qt's own; it gets the program's name, which is what X tools
// and the tray host can read of it (Qt leaves it out of the accessibility tree).
void XEmbedTray::nameIconWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QSystemTrayIconSys")) {
            window->setWindowTitle(QStringLiteral("Velmora"));
            window->setAccessibleName(QStringLiteral("Velmora"));
        }
    }
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
