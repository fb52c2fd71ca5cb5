// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/placement.h"

#include <QtMath>

#include <algorithm>
#include <charconv>

namespace {

QString shortest(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, ec == std::errc() ? end - buffer : 0);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')) &&
        !text.contains(QLatin1Char('n')) && !text.contains(QLatin1Char('i')))
        text += QLatin1String(".0");
    return text;
}

} // namespace

namespace Placement {

namespace {

int rightOf(const QRect& r) {
    return r.x() + r.width();
}
int bottomOf(const QRect& r) {
    return r.y() + r.height();
}

// `size` moved as little as needed to lie wholly in `room` (which is at least as large).
QRect inside(const QRect& room, QPoint at, const QSize& size) {
    at.setX(std::max(room.x(), std::min(at.x(), rightOf(room) - size.width())));
    at.setY(std::max(room.y(), std::min(at.y(), bottomOf(room) - size.height())));
    return {at, size};
}

QRect innerOf(const QRect& area) {
    return area.adjusted(margin, margin, -margin, -margin);
}

enum class Side { top, bottom, left, right };

// Which edge of the area the icon's tray runs along. Ties go to the top or bottom, where trays
// are far more common.
Side traySide(const QRect& icon, const QRect& area) {
    const int left = icon.x() - area.x();
    const int right = rightOf(area) - rightOf(icon);
    const int top = icon.y() - area.y();
    const int bottom = bottomOf(area) - bottomOf(icon);
    if (std::min(left, right) < std::min(top, bottom))
        return left < right ? Side::left : Side::right;
    return icon.center().y() <= area.center().y() ? Side::top : Side::bottom;
}

// The part of the area on the panel's side of the icon.
QRect roomBeside(const QRect& icon, const QRect& inner, Side side) {
    QRect room = inner;
    switch (side) {
    case Side::top:
        room.setTop(std::max(inner.top(), bottomOf(icon) + iconGap));
        break;
    case Side::bottom:
        room.setBottom(std::min(inner.bottom(), icon.top() - iconGap - 1));
        break;
    case Side::left:
        room.setLeft(std::max(inner.left(), rightOf(icon) + iconGap));
        break;
    case Side::right:
        room.setRight(std::min(inner.right(), icon.left() - iconGap - 1));
        break;
    }
    // An icon in the middle of a tiny area leaves no room beside it: better over the icon than
    // no panel at all.
    return room.width() >= minimumRoom && room.height() >= minimumRoom ? room : inner;
}

} // namespace

QSize panelSize(const QSize& fitting) {
    return fitting.width() > minimumContent && fitting.height() > minimumContent ? fitting
                                                                                 : fallbackSize;
}

ScrollBars scrollBars(const QSize& content, const QSize& window, int scrollBar) {
    ScrollBars bars;
    bars.vertical = content.height() > window.height();
    bars.horizontal = content.width() + (bars.vertical ? scrollBar : 0) > window.width();
    bars.vertical =
        bars.vertical || content.height() + (bars.horizontal ? scrollBar : 0) > window.height();
    bars.horizontal =
        bars.horizontal || content.width() + (bars.vertical ? scrollBar : 0) > window.width();
    return bars;
}

QSize fit(const QSize& fitting, const QSize& room, int scrollBar) {
    const ScrollBars bars = scrollBars(fitting, room, scrollBar);
    return {
        std::max(1, std::min(fitting.width() + (bars.vertical ? scrollBar : 0), room.width())),
        std::max(1, std::min(fitting.height() + (bars.horizontal ? scrollBar : 0), room.height()))};
}

Spot nearIcon(const QRect& icon, const QRect& area, const QSize& fitting, int scrollBar) {
    const Side side = traySide(icon, area);
    const QRect room = roomBeside(icon, innerOf(area), side);
    const QSize size = fit(fitting, room.size(), scrollBar);
    const bool upperHalf = icon.center().y() <= area.center().y();
    switch (side) {
    case Side::top:
        return {inside(room, {icon.x(), room.y()}, size), room, Qt::TopEdge | Qt::LeftEdge};
    case Side::bottom:
        return {inside(room, {icon.x(), bottomOf(room) - size.height()}, size), room,
                Qt::BottomEdge | Qt::LeftEdge};
    case Side::left:
    case Side::right: {
        // Beside a vertical tray the panel lines up with the icon's top, or with its bottom
        // when the icon sits in the lower half.
        const int x = side == Side::left ? room.x() : rightOf(room) - size.width();
        const int y = upperHalf ? icon.y() : bottomOf(icon) - size.height();
        const Qt::Edges facing = side == Side::left ? Qt::LeftEdge : Qt::RightEdge;
        return {inside(room, {x, y}, size), room,
                facing | (upperHalf ? Qt::TopEdge : Qt::BottomEdge)};
    }
    }
    return {};
}

Spot centred(const QRect& area, const QSize& fitting, int scrollBar) {
    const QRect room = innerOf(area);
    const QSize size = fit(fitting, room.size(), scrollBar);
    const double x = area.left() + area.width() / 2.0 - size.width() / 2.0;
    const double y = area.top() + centredTop * area.height();
    return {inside(room, {static_cast<int>(x), static_cast<int>(y)}, size), room,
            Qt::TopEdge | Qt::LeftEdge};
}

Spot moved(const QRect& frame, const QRect& area) {
    return {frame, innerOf(area), Qt::TopEdge | Qt::LeftEdge};
}

QRect refit(const Spot& spot, const QSize& fitting, int scrollBar) {
    const QSize size = fit(fitting, spot.room.size(), scrollBar);
    const QRect& old = spot.frame;
    const int x = spot.keep & Qt::RightEdge ? rightOf(old) - size.width() : old.x();
    const int y = spot.keep & Qt::BottomEdge ? bottomOf(old) - size.height() : old.y();
    return inside(spot.room, {x, y}, size);
}

QRect iconAround(const QPoint& click, const QRect& screen, const QRect& area) {
    // On a panel that reserves its strip of the screen: the strip is the bar.
    if (screen.contains(click) && !area.contains(click) && area.isValid()) {
        if (click.y() < area.top()) {
            const int t = area.top() - screen.top();
            return {click.x() - t / 2, screen.top(), t, t};
        }
        if (click.y() > area.bottom()) {
            const int t = bottomOf(screen) - bottomOf(area);
            return {click.x() - t / 2, bottomOf(area), t, t};
        }
        if (click.x() < area.left()) {
            const int t = area.left() - screen.left();
            return {screen.left(), click.y() - t / 2, t, t};
        }
        const int t = rightOf(screen) - rightOf(area);
        return {rightOf(area), click.y() - t / 2, t, t};
    }
    const int top = click.y() - screen.top();
    const int bottom = screen.bottom() - click.y();
    const int left = click.x() - screen.left();
    const int right = screen.right() - click.x();
    // In a corner, a bar along the top or the bottom is by far the likelier.
    const int vertical = std::min(top, bottom);
    const int horizontal = std::min(left, right);
    const bool onHorizontalBar = vertical >= 0 && vertical <= barReach;
    if (!onHorizontalBar && (horizontal < 0 || horizontal > barReach))
        return {click, QSize(1, 1)};
    const int reach = onHorizontalBar ? vertical : horizontal;
    const int across = 2 * reach + 1;
    // Cut to the screen: an icon hanging over its edge would count as on a bar along that edge.
    if (onHorizontalBar)
        return QRect(click.x() - reach, reach == top ? screen.top() : click.y() - reach, across,
                     across)
            .intersected(screen);
    return QRect(reach == left ? screen.left() : click.x() - reach, click.y() - reach, across,
                 across)
        .intersected(screen);
}

QRect iconForMenu(const QPoint& pointer, const QRect& area) {
    const bool upperHalf = pointer.y() <= area.center().y();
    const int x = std::max(area.left(), std::min(pointer.x(), area.right()));
    return {x, upperHalf ? area.top() - 1 : bottomOf(area), 1, 1};
}

QPoint fromDevicePixels(const QPoint& point, const QList<Screen>& screens) {
    for (const Screen& screen : screens) {
        const QPoint origin = screen.geometry.topLeft();
        const QRect pixels(origin, QSize(qCeil(screen.geometry.width() * screen.ratio),
                                         qCeil(screen.geometry.height() * screen.ratio)));
        if (screen.ratio > 0 && pixels.contains(point)) {
            const QPointF offset = QPointF(point - origin) / screen.ratio;
            return origin + QPoint(qFloor(offset.x()), qFloor(offset.y()));
        }
    }
    return point;
}

QString describe(const QRectF& rect) {
    return QLatin1Char('(') + shortest(rect.x()) + QLatin1String(", ") + shortest(rect.y()) +
           QLatin1String(", ") + shortest(rect.width()) + QLatin1String(", ") +
           shortest(rect.height()) + QLatin1Char(')');
}

} // namespace Placement
