// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/popup_panel.h"

#include "platform/x11.h"
#include "shell/placement.h"
#include "ui/metrics.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QBitmap>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// The panel is a window to a screen reader, named by its title.
QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("PopupPanel") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

KeyRouting::Input routingInput(const QKeyEvent& event) {
    using KeyRouting::Shortcut;
    const Shortcut shortcut = event.matches(QKeySequence::Copy)    ? Shortcut::copy
                              : event.matches(QKeySequence::Paste) ? Shortcut::paste
                                                                   : Shortcut::none;
    return {event.key(), event.modifiers(), event.text(), shortcut};
}

} // namespace

PopupPanel::PopupPanel(QWidget* parent, PanelWindow::Kind kind)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_kind(kind)
    , m_scroll(new QScrollArea(this)) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&windowFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QStringLiteral("popupPanel"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowRole(QStringLiteral("panel")); // its tray icon's window has the same title
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);

    // Only a screen too small for the content shows the scroll bars; they take no focus, so the
    // Tab chain stays the content's own.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    m_scroll->setObjectName(QStringLiteral("panelScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    // Decided here from the sizes, not by the scroll area: left to itself it keeps bars that
    // appeared while the window was small, even once the content fits.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    m_scroll->horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    // A control reached by Tab is scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_content && now && m_content->isAncestorOf(now))
            m_scroll->ensureWidgetVisible(now, 0, 0);
    });
}

// Qt 6.8's ~QWidget clears the focus and so reports a focus change, when this is a panel no more.
PopupPanel::~PopupPanel() {
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void PopupPanel::setContent(QWidget* content) {
    m_content = content;
    m_scroll->setWidget(content);
    // The content paints its own rounded background; the scroll area would fill it square.
    content->setAutoFillBackground(false);
    content->installEventFilter(this);
    content->show();
    m_scroll->setPalette(content->palette());
    updateScrollBars();
}

void PopupPanel::updateScrollBars() {
    if (!m_content)
        return;
    const auto bars = Placement::scrollBars(m_content->size(), size(), scrollBarExtent());
    m_scroll->setVerticalScrollBarPolicy(bars.vertical ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    m_scroll->setHorizontalScrollBarPolicy(bars.horizontal ? Qt::ScrollBarAlwaysOn
                                                           : Qt::ScrollBarAlwaysOff);
}

bool PopupPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_content && event->type() == QEvent::Resize)
        updateScrollBars();
    // The scroll bars in the colours of the content's theme.
    if (watched == m_content && event->type() == QEvent::PaletteChange)
        m_scroll->setPalette(m_content->palette());
    return QWidget::eventFilter(watched, event);
}

int PopupPanel::scrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
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
    path.addRoundedRect(QRectF(rect()), Metrics::panelCornerRadius, Metrics::panelCornerRadius);
    p.fillPath(path, Qt::color1);
    p.end();
    setMask(bitmap);
}

void PopupPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateMask();
    updateScrollBars();
}

// Qt sends this before the window is mapped, which is when the window manager reads the hints:
// a tray panel belongs on whatever desktop the person is on, and in no task bar or pager.
// Past the window manager the window is marked by hand rather than with
// Qt::X11BypassWindowManagerHint: with that hint activateWindow() sets the input focus itself,
// which the window manager of wlroots takes straight back, and Qt then counts the panel inactive.
void PopupPanel::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (m_kind == PanelWindow::Kind::overrideRedirect) {
            X11::markAsUnmanagedPanel(winId());
            // The grab needs the window mapped, which Qt does right after this event.
            QTimer::singleShot(0, this, &PopupPanel::takeKeyboard);
        } else if (m_kind == PanelWindow::Kind::managed) {
            X11::markAsFloatingPanel(winId());
        }
    }
    QWidget::showEvent(event);
}

// No window manager focuses a window that bypasses it. A grab of the X server's keyboard brings
// the keys (as long as the compositor gives the keyboard to XWayland) and makes Qt count the
// panel active; unmapping the window ends it. Qt's own grabKeyboard() would hand every key to
// the panel itself, past the control that has the focus ring.
void PopupPanel::takeKeyboard() {
    if (isVisible() && !X11::grabKeyboard(winId()))
        emit keyboardRefused();
}

void PopupPanel::keyPressEvent(QKeyEvent* event) {
    const KeyRouting::Action action = KeyRouting::route(routingInput(*event));
    if (action.kind == KeyRouting::Action::Kind::none)
        return QWidget::keyPressEvent(event);
    emit keyAction(action);
}

// The panel has no title bar: dragging its background moves it. Past the window manager it
// moves itself: Qt would still ask wlroots' window manager, which announces the request,
// reports success and leaves the window where it is.
void PopupPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (m_kind == PanelWindow::Kind::managed && windowHandle() && windowHandle()->startSystemMove())
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
