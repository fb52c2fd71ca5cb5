// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/http_test_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <numeric>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test fixture %s", qPrintable(path));
    return file.readAll();
}

QByteArray head(const HttpTestServer::Reply& reply, qint64 contentLength) {
    QByteArray text = "HTTP/1.1 " + QByteArray::number(reply.status) + " Test\r\n";
    if (reply.sendContentLength)
        text += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
    text += "Connection: close\r\n";
    for (const auto& [name, value] : reply.headers)
        text += name + ": " + value + "\r\n";
    return text + "\r\n";
}

} // namespace

HttpTestServer::HttpTestServer(bool tls, QObject* parent)
    : QObject(parent)
    , m_tls(tls) {
    if (tls) {
        auto server = std::make_unique<QSslServer>();
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(QSslCertificate(readFile(fixturePath("localhost.crt"))));
        config.setPrivateKey(QSslKey(readFile(fixturePath("localhost.key")), QSsl::Rsa));
        config.setPeerVerifyMode(QSslSocket::VerifyNone);
        server->setSslConfiguration(config);
        m_server = std::move(server);
    } else {
        m_server = std::make_unique<QTcpServer>();
    }
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &HttpTestServer::accept);
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        qFatal("test server cannot listen: %s", qPrintable(m_server->errorString()));
}

HttpTestServer::~HttpTestServer() = default;

QString HttpTestServer::baseUrl() const {
    return (m_tls ? QStringLiteral("https://localhost:%1") : QStringLiteral("http://127.0.0.1:%1"))
        .arg(port());
}

quint16 HttpTestServer::port() const {
    return m_server->serverPort();
}

void HttpTestServer::setReply(const QString& pathAndQuery, Reply reply) {
    m_replies.insert(pathAndQuery, std::move(reply));
}

int HttpTestServer::totalRequests() const {
    return std::accumulate(m_counts.cbegin(), m_counts.cend(), 0);
}

QString HttpTestServer::fixturePath(const QString& name) {
    return QStringLiteral(VELMORA_FIXTURES_DIR "/") + name;
}

void HttpTestServer::accept() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            if (!buffer->contains("\r\n\r\n") || socket->property("served").toBool())
                return;
            socket->setProperty("served", true);
            socket->setProperty("request", *buffer);
            serve(socket);
        });
    }
}

void HttpTestServer::serve(QTcpSocket* socket) {
    const QByteArray request = socket->property("request").toByteArray();
    m_requests.append(request);
    const QList<QByteArray> firstLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = firstLine.size() >= 2 ? QString::fromLatin1(firstLine[1]) : QString();
    m_counts[path] += 1;

    Reply reply;
    if (const auto it = m_replies.constFind(path); it != m_replies.cend())
        reply = *it;
    else
        reply.status = 404;

    switch (reply.mode) {
    case Mode::neverAnswer:
        return;
    case Mode::closeAtOnce:
        socket->abort();
        return;
    case Mode::cutOff:
        socket->write(head(reply, reply.body.size() * 2 + 10) + reply.body);
        socket->flush();
        QTimer::singleShot(50, socket, [socket] { socket->abort(); });
        return;
    case Mode::trickle: {
        auto pending = std::make_shared<QByteArray>(head(reply, reply.body.size()) + reply.body);
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket, pending, timer] {
            if (pending->isEmpty()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(pending->left(1));
            pending->remove(0, 1);
        });
        timer->start(reply.trickleIntervalMs);
        return;
    }
    case Mode::normal:
        socket->write(head(reply, reply.body.size()) + reply.body);
        socket->disconnectFromHost();
        return;
    }
}
