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

SingleInstance::SingleInstance(const QString& key, int patienceMs, QObject* parent)
    : QObject(parent)
    , m_key(key)
    , m_patienceMs(patienceMs) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() {
    return QStringLiteral("velmora-%1").arg(::getuid());
}

SingleInstance::Claim SingleInstance::claim() {
    const QString lockPath = lockFolder() + QLatin1Char('/') + m_key + QLatin1String(".lock");
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Held for the life of the process; QLockFile recognises the lock of a dead process.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        // Only a lock held by another run means there is one to ask.
        if (m_lock->error() != QLockFile::LockFailedError)
            return {Role::failed, QStringLiteral("Sperrdatei nicht angelegt: ") + lockPath};
        if (const auto unreachable = notifyPrimary()) {
            return {Role::failed,
                    QStringLiteral("Laufendes Velmora nicht erreicht: ") + *unreachable};
        }
        return {Role::secondary, std::nullopt};
    }
    // Whatever socket is left belongs to a crashed run: we hold the lock now.
    QLocalServer::removeServer(socketPath(m_key));
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    std::optional<QString> fault;
    if (!m_server->listen(socketPath(m_key))) {
        fault = QStringLiteral("Weitere Starts erreichen dieses Velmora nicht: ") +
                m_server->errorString();
    }
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
    return {Role::primary, fault};
}

std::optional<QString> SingleInstance::notifyPrimary() {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(socketPath(m_key));
        if (socket.waitForConnected(500)) {
            socket.write("show\n");
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return std::nullopt;
        }
        if (clock.elapsed() >= m_patienceMs)
            return socket.errorString();
        QThread::msleep(50);
    }
}
