// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/key_routing.h"
#include "platform/panel_window.h"

#include <QPoint>
#include <QWidget>

class QKeyEvent;
class QScrollArea;

// The program's only window: frameless, floating, shown and hidden but never closed. Every key
// that reaches it goes through KeyRouting, and what the table makes of it is passed on as an
// action; the keys the table leaves alone go on unhandled.
// How the desktop gets to see it (a managed tool window, or one past the window manager on
// XWayland) is decided once for the session.
class PopupPanel final : public QWidget {
    Q_OBJECT

public:
    explicit PopupPanel(QWidget* parent = nullptr,
                        PanelWindow::Kind kind = PanelWindow::forThisSession());
    ~PopupPanel() override;

    // The panel's content, shown at the window's top left at its own size. The window takes
    // that size where the screen has room for it; where it has not, the content scrolls.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }
    // How much a scroll bar takes across, for a window smaller than its content.
    int scrollBarExtent() const;
    // With no compositor the transparent corners would show black: cut them off instead.
    void setUseMask(bool useMask);

signals:
    void keyAction(KeyRouting::Action action);
    // Past the window manager the panel takes the keyboard itself; another client held it.
    void keyboardRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateMask();
    void updateScrollBars();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void takeKeyboard();

    PanelWindow::Kind m_kind;
    QScrollArea* m_scroll;
    QWidget* m_content = nullptr;
    bool m_useMask = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
