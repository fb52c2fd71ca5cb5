// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up time and memory: the least a Qt Widgets program with a tray icon
// and a window does. scripts/measure runs it beside velmora in the same way.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::blue);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(543, 357);
    window.show();
    return app.exec();
}
