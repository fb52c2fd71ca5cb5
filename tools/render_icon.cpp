// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the application's vector icon into square PNG files for the hicolor theme, at build
// time, so the raster sizes never drift from the drawing:
//   velmora_render_icon SOURCE.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/apps/velmora.png for each size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool opaqueAt(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 255;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: velmora_render_icon SOURCE.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "velmora_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "velmora_render_icon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter, QRectF(0, 0, size, size));
        }
        // The drawing is a disc: a render that left the centre empty or filled the corners
        // went wrong, and a broken icon must fail the build rather than ship.
        if (!opaqueAt(image, size / 2, size / 2) || opaqueAt(image, 0, 0)) {
            std::fprintf(stderr, "velmora_render_icon: %dx%d render looks wrong\n", size, size);
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(output).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/velmora.png"), "PNG")) {
            std::fprintf(stderr, "velmora_render_icon: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
