#pragma once

#include <QHostAddress>
#include <QString>
#include <QTcpServer>

// A base URL on 127.0.0.1 where nothing listens: a port that was free an instant ago, so a
// request there is refused at once.
inline QString closedPortBase() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
}
