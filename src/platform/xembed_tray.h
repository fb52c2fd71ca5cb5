// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/tray.h"

class QSystemTrayIcon;
class QWidget;

// The icon in an XEmbed tray, through Qt's QSystemTrayIcon: the host embeds a small window of
// ours and says where it is; title and rate go into the tool tip.
class XEmbedTray final : public Tray {
    Q_OBJECT

public:
    explicit XEmbedTray(QObject* parent = nullptr);
    ~XEmbedTray() override;

    void setStatus(const QString& title, const QString& toolTipText) override;
    void setPanelShown(bool) override {}
    bool isVisible() const override;
    std::optional<QRect> iconRect() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeIconWindow();

    QSystemTrayIcon* m_icon;
    QWidget* m_iconWindow = nullptr;
};
