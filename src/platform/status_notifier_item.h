// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dbus_types.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QPoint>

// The object a StatusNotifierItem host reads: org.kde.StatusNotifierItem at /StatusNotifierItem.
// Only what is marked scriptable goes onto the bus.
class StatusNotifierItem final : public QObject {
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
    static constexpr const char* path = "/StatusNotifierItem";

    explicit StatusNotifierItem(QObject* parent = nullptr);

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
    QString label() const { return m_label; }
    // The widest label to expect, so that hosts keep room for it.
    QString labelGuide() const { return QStringLiteral("88,88"); }
    uint orderingIndex() const { return 0; }

    // The label beside the icon and the tool tip's line under the program's name; hosts that
    // have read the item already hear of it through the item's signals.
    void setStatus(const QString& label, const QString& toolTipText, bool announce);

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

    // For the program, not the bus: a click with either button, at the point the host passed.
    void clicked(QPoint at);

private:
    SniPixmaps m_pixmaps;
    QString m_label;
    QString m_toolTipText;
};
