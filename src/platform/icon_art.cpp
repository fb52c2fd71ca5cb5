// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/icon_art.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString artPath = QStringLiteral(":/app/velmora.svg");

// The art in the largest square that fits `rect`, centred.
void draw(QPainter& painter, const QRectF& rect) {
    QSvgRenderer renderer(artPath);
    const qreal side = std::min(rect.width(), rect.height());
    renderer.render(&painter, QRectF(rect.center() - QPointF(side, side) / 2, QSizeF(side, side)));
}

class ArtEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        draw(*painter, rect);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, QRectF(pixmap.rect()));
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new ArtEngine; }
    QString key() const override { return QStringLiteral("velmora-art"); }
};

} // namespace

namespace IconArt {

QImage render(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QRectF(image.rect()));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon icon() {
    return QIcon(new ArtEngine);
}

} // namespace IconArt
