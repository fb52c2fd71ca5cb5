// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/clock.h"

#include <QList>
#include <QSslCertificate>
#include <QString>

// Everything about fetching rates that a test must be able to control.
struct FeedConfig {
    QString primaryBase; // scheme, host and optional port, no trailing slash
    QString fallbackBase;
    Clock clock = Clocks::system;
    // Qt restarts the transfer time-out whenever a byte arrives, so a trickling server would
    // never time out; the overall limit ends such a request all the same.
    int transferTimeoutMs = 15000;
    int overallTimeoutMs = 30000;
    // Real replies are a few kilobytes; anything this large is broken or hostile.
    qint64 maxBodyBytes = 1 << 20;
    // How much of a reply Qt may hold before it stops reading the socket.
    qint64 readBufferBytes = 64 * 1024;
    // Extra trusted roots, for tests with a local TLS server; the program adds none.
    QList<QSslCertificate> extraCaCertificates;

    // The base URLs this build was configured with.
    static FeedConfig fromBuild();
};
