// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/placement.h"

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

QSize panelSize(const QSize& fitting) {
    return fitting.width() > 100 && fitting.height() > 100 ? fitting : fallbackSize;
}

QRect underIcon(const QRect& icon, const QRect& area, const QSize& panel) {
    // std::min after std::max: when the area is too narrow, the right bound wins.
    const int x = std::min(std::max(icon.left(), area.left() + margin),
                           area.left() + area.width() - panel.width() - margin);
    const bool iconAtTop = icon.center().y() <= area.center().y();
    int y =
        iconAtTop ? icon.top() + icon.height() + iconGap : icon.top() - iconGap - panel.height();
    y = std::min(std::max(y, area.top() + margin),
                 area.top() + area.height() - panel.height() - margin);
    return {QPoint(x, y), panel};
}

QRect centred(const QRect& area, const QSize& panel) {
    const double x = area.left() + area.width() / 2.0 - panel.width() / 2.0;
    const double y = area.top() + centredTop * area.height();
    return {QPoint(static_cast<int>(x), static_cast<int>(y)), panel};
}

QRect refit(const QRect& frame, const QSize& size, const QRect& area) {
    const int x = std::min(frame.left(), area.left() + area.width() - size.width() - margin);
    return {QPoint(x, frame.top()), size};
}

QString describe(const QRectF& rect) {
    return QLatin1Char('(') + shortest(rect.x()) + QLatin1String(", ") + shortest(rect.y()) +
           QLatin1String(", ") + shortest(rect.width()) + QLatin1String(", ") +
           shortest(rect.height()) + QLatin1Char(')');
}

} // namespace Placement
