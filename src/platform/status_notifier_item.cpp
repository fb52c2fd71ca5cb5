// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/status_notifier_item.h"

#include "platform/dbus_menu.h"
#include "platform/icon_art.h"

#include <QImage>
#include <QtEndian>

namespace {

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

} // namespace

StatusNotifierItem::StatusNotifierItem(QObject* parent)
    : QObject(parent)
    , m_pixmaps(renderIcon()) {
    DBusTypes::registerAll();
}

SniToolTip StatusNotifierItem::toolTip() const {
    return {iconName(), m_pixmaps, title(), m_toolTipText};
}

QDBusObjectPath StatusNotifierItem::menu() const {
    return QDBusObjectPath(QLatin1String(DBusMenu::path));
}

void StatusNotifierItem::setStatus(const QString& label, const QString& toolTipText,
                                   bool announce) {
    m_label = label;
    m_toolTipText = toolTipText;
    if (!announce)
        return;
    emit NewTitle();
    emit NewToolTip();
    emit XAyatanaNewLabel(m_label, labelGuide());
}

// Both mouse buttons toggle the panel; hosts pass the point of the click in the X server's
// pixels.
void StatusNotifierItem::Activate(int x, int y) {
    emit clicked(QPoint(x, y));
}
void StatusNotifierItem::SecondaryActivate(int x, int y) {
    emit clicked(QPoint(x, y));
}
void StatusNotifierItem::ContextMenu(int x, int y) {
    emit clicked(QPoint(x, y));
}
void StatusNotifierItem::Scroll(int, const QString&) {}
