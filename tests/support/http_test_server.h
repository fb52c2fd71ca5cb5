// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <memory>

class QTcpServer;
class QTcpSocket;

// A small real HTTP/1.1 server on 127.0.0.1 for tests, optionally over TLS, that answers each
// path with a canned reply or with one of the faults a broken server shows.
class HttpTestServer final : public QObject {
    Q_OBJECT

public:
    enum class Mode {
        normal,
        neverAnswer, // accept, read the request, send nothing
        trickle,     // send the reply one byte at a time
        cutOff,      // promise a longer body than is sent, then close
        closeAtOnce, // close the connection without a reply
    };

    struct Reply {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        Mode mode = Mode::normal;
        int trickleIntervalMs = 1000;
        bool sendContentLength = true; // off for chunked bodies, which carry their own framing
    };

    // With tls, the server presents the self-signed localhost certificate of the fixtures.
    explicit HttpTestServer(bool tls = false, QObject* parent = nullptr);
    ~HttpTestServer() override;

    QString baseUrl() const;
    quint16 port() const;

    // `pathAndQuery` as the client sends it, e.g. "/daily/eur.json"; unknown paths get a 404.
    void setReply(const QString& pathAndQuery, Reply reply);
    int requestCount(const QString& pathAndQuery) const { return m_counts.value(pathAndQuery); }
    int totalRequests() const;
    QByteArray lastRequest() const {
        return m_requests.isEmpty() ? QByteArray() : m_requests.last();
    }
    // Every request so far, head and all, in the order they came.
    const QList<QByteArray>& requests() const { return m_requests; }

    static QString fixturePath(const QString& name);

private:
    void accept();
    void serve(QTcpSocket* socket);

    bool m_tls;
    std::unique_ptr<QTcpServer> m_server;
    QHash<QString, Reply> m_replies;
    QHash<QString, int> m_counts;
    QList<QByteArray> m_requests;
};
