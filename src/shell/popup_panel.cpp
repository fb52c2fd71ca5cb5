// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/popup_panel.h"

#include "platform/x11.h"

#include <QAccessibleWidget>
#include <QBitmap>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace {

// The panel is a window to a screen reader, named by its title.
QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("PopupPanel") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

PopupPanel::PopupPanel(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&windowFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QStringLiteral("popupPanel"));
    setWindowTitle(QStringLiteral("Velmora"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
}

void PopupPanel::setContent(QWidget* content) {
    m_content = content;
    content->setParent(this);
    content->move(0, 0);
    content->show();
}

void PopupPanel::setUseMask(bool useMask) {
    m_useMask = useMask;
    updateMask();
}

void PopupPanel::updateMask() {
    if (!m_useMask) {
        clearMask();
        return;
    }
    QBitmap bitmap(size());
    bitmap.fill(Qt::color0);
    QPainter p(&bitmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 16, 16);
    p.fillPath(path, Qt::color1);
    p.end();
    setMask(bitmap);
}

void PopupPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateMask();
}

// Qt sends this before the window is mapped, which is when the window manager reads the hints:
// a tray panel belongs on whatever desktop the person is on, and in no task bar or pager.
void PopupPanel::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        X11::markAsFloatingPanel(winId());
    QWidget::showEvent(event);
}

void PopupPanel::keyPressEvent(QKeyEvent* event) {
    if (m_keyHandler && m_keyHandler(event))
        return;
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (event->key() == Qt::Key_Q && (event->modifiers() & Qt::ControlModifier)) {
        emit quitRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The panel has no title bar: dragging its background moves it.
void PopupPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void PopupPanel::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void PopupPanel::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
