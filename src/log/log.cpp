// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/log.h"

#include "log/xdg_base.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // a full disk loses the entry, nothing more
        data += n;
        left -= n;
    }
}

} // namespace

namespace Log {

QString defaultPath() {
    return XdgBase::folder("XDG_STATE_HOME", QLatin1String(".local/state")) +
           QLatin1String("/Velmora.log");
}

QString stamp(const QDateTime& now) {
    return now.toLocalTime().toString(QStringLiteral("dd.MM. HH:mm:ss"));
}

void writeTo(const QString& logPath, const QString& message, const QDateTime& now) {
    const QByteArray entry =
        (stamp(now) + QLatin1String("  ") + message + QLatin1Char('\n')).toUtf8();
    const QByteArray file = QFile::encodeName(logPath);

    // A fresh account may not have the state folder yet.
    const QString folder = QFileInfo(logPath).absolutePath();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }

    struct stat info = {};
    if (::stat(file.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > maxBytes)
        ::unlink(file.constData());

    // Non-blocking so that a FIFO put in the log's place cannot hang the program.
    int fd = ::open(file.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        return;
    writeAll(fd, entry);
    ::close(fd);
}

void write(const QString& message) {
    writeTo(defaultPath(), message, QDateTime::currentDateTime());
}

} // namespace Log
