// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/painting.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

int channel(double v) {
    return std::clamp(static_cast<int>(v * 255.0 + 0.5), 0, 255);
}

QString roundedFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* candidate : {"SF Pro Rounded", "Nunito", "Varela Round",
                                      "M PLUS Rounded 1c", "Quicksand", "Comfortaa"}) {
            if (families.contains(QLatin1String(candidate)))
                return QString::fromLatin1(candidate);
        }
        return QString();
    }();
    return family;
}

} // namespace

namespace Painting {

QColor color(const Rgba& c, double opacity) {
    return QColor(channel(c.r), channel(c.g), channel(c.b), channel(c.a * opacity));
}

QPainterPath roundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void card(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill, const QColor& border) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(roundedRect(rect, radius));
    // Stroked on the inside: the half-point inset keeps the whole line within the bounds.
    QPen pen(border, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), std::max<qreal>(0, radius - 0.5)));
    p.restore();
}

void focusRing(QPainter& p, const QRectF& rect, qreal radius, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(rect.adjusted(1, 1, -1, -1), std::max<qreal>(0, radius - 1)));
    p.restore();
}

QPixmap icon(const QString& name, int size, const QColor& tint, qreal devicePixelRatio) {
    const QString key =
        QStringLiteral("%1/%2/%3/%4").arg(name).arg(size).arg(tint.rgba()).arg(devicePixelRatio);
    static QHash<QString, QPixmap> cache;
    if (const auto it = cache.constFind(key); it != cache.cend())
        return *it;

    const int pixels = std::max(1, static_cast<int>(size * devicePixelRatio + 0.5));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        QSvgRenderer renderer(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
        renderer.render(&p);
        // Keep the symbol's shape, take the colour from the theme.
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(), tint);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    if (cache.size() > 512)
        cache.clear();
    cache.insert(key, pixmap);
    return pixmap;
}

} // namespace Painting

namespace Fonts {

QFont ui(int size, QFont::Weight weight) {
    QFont font = QApplication::font();
    font.setPixelSize(size);
    font.setWeight(weight);
    return font;
}

QFont rounded(int size, QFont::Weight weight) {
    QFont font = ui(size, weight);
    if (const QString family = roundedFamily(); !family.isEmpty())
        font.setFamilies({family, QApplication::font().family()});
    return font;
}

QFont shrunkToFit(QFont font, qreal minimumScale, qreal room,
                  const std::function<qreal(const QFont&)>& widthAt) {
    if (minimumScale >= 1.0 || font.pixelSize() <= 0)
        return font;
    const int base = font.pixelSize();
    const int smallest = std::max(1, static_cast<int>(std::ceil(base * minimumScale)));
    for (int size = base; size > smallest && widthAt(font) > room; --size)
        font.setPixelSize(size - 1);
    return font;
}

} // namespace Fonts
