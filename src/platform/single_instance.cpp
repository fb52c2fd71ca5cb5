// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

QString lockFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder;
}

// The socket lives beside the lock: in /tmp, where Qt would put a bare name, a run with another
// runtime folder would take the lock of its own and remove this run's socket.
QString socketPath(const QString& key) {
    return lockFolder() + QLatin1Char('/') + key + QLatin1String(".socket");
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_key(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() {
    return QStringLiteral("velmora-%1").arg(::getuid());
}

SingleInstance::Role SingleInstance::claim() {
    m_lock = std::make_unique<QLockFile>(lockFolder() + QLatin1Char('/') + m_key +
                                         QLatin1String(".lock"));
    // Held for the life of the process; QLockFile recognises the lock of a dead process.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        notifyPrimary();
        return Role::secondary;
    }
    // Whatever socket is left belongs to a crashed run: we hold the lock now.
    QLocalServer::removeServer(socketPath(m_key));
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(socketPath(m_key));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray request = socket->readAll();
                if (request.startsWith("show"))
                    emit reopenRequested();
                socket->disconnectFromServer();
            });
        }
    });
    return Role::primary;
}

bool SingleInstance::notifyPrimary() {
    // The first instance may have taken the lock an instant ago and not be listening yet.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        QLocalSocket socket;
        socket.connectToServer(socketPath(m_key));
        if (socket.waitForConnected(500)) {
            socket.write("show\n");
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}
