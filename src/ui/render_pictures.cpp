// Renders the panel in each built-in theme into PNG files, with sample rates and a sample
// calculation, using the program's own widgets on Qt's offscreen platform:
//   velmora_pictures OUTPUT_FOLDER
// The rates come from a small feed served on 127.0.0.1, so the store goes through its
// ordinary refresh and the footer shows current rates.
#include "app/app_model.h"
#include "rates/rate_source.h"
#include "rates/rate_store.h"
#include "ui/panel_view.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

QByteArray sampleFeed() {
    const QByteArray date = QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                                  QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'")).toLatin1();
    return "{\"usd\":{\"rate\":1.0842,\"date\":\"" + date + "\"},"
           "\"thb\":{\"rate\":38.1236,\"date\":\"" + date + "\"},"
           "\"pln\":{\"rate\":4.2678,\"date\":\"" + date + "\"}}";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    QTcpServer feed;
    feed.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&feed, &QTcpServer::newConnection, &feed, [&feed] {
        while (QTcpSocket* socket = feed.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                const QByteArray body = sampleFeed();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });

    RateStore::Options storeOptions;
    storeOptions.feeds.primaryBase = QStringLiteral("http://127.0.0.1:%1").arg(feed.serverPort());
    storeOptions.feeds.fallbackBase = storeOptions.feeds.primaryBase;
    storeOptions.settingsPath = home.path() + "/config/Velmora/Velmora.conf";
    RateStore store(storeOptions);

    AppModel::Options modelOptions;
    modelOptions.settingsPath = storeOptions.settingsPath;
    modelOptions.autostartPath = home.path() + "/config/autostart/velmora.desktop";
    modelOptions.executablePath = QCoreApplication::applicationFilePath();
    AppModel model(store, modelOptions);
    model.setActive(Currency::usd, true);
    model.setActive(Currency::pln, true);
    for (const char* key : {"1", "2", ",", "5", "\u00D7", "3"})
        model.press(QString::fromUtf8(key));

    QTimer::singleShot(10000, &app, [] { std::exit(3); }); // never hang a build
    while (store.isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!store.info()) {
        std::fprintf(stderr, "the sample feed gave no rates\n");
        return 1;
    }

    PanelView panel(model, store);
    panel.resize(panel.sizeHint());
    panel.show();
    QCoreApplication::processEvents();
    const qreal ratio = 2.0;
    for (const Theme& theme : Theme::all()) {
        model.setTheme(theme);
        QCoreApplication::processEvents();
        QImage image(panel.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        panel.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QString file = output + QStringLiteral("/panel-%1.png").arg(theme.id);
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
