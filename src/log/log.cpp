// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/log.h"

#include "log/xdg_base.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

    const int fd = openForAppend(file.constData());
    if (fd < 0)
        return;
    writeAll(fd, entry.constData(), static_cast<size_t>(entry.size()));
    ::close(fd);
}

void write(const QString& message) {
    writeTo(defaultPath(), message, QDateTime::currentDateTime());
}

int openForAppend(const char* path) {
    struct stat info = {};
    if (::stat(path, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > maxBytes)
        ::unlink(path);
    // Non-blocking so that a FIFO put in the log's place cannot hang the program.
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0)
        return fd;
    return ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0600);
}

void writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<size_t>(n);
    }
}

} // namespace Log
