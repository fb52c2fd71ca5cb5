// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <cstddef>

// The plain-text diagnostic log: one time-stamped entry per call, kept below 200000 bytes by
// starting afresh when it grows past that. Writing never fails visibly.
namespace Log {

inline constexpr qint64 maxBytes = 200000;

// $XDG_STATE_HOME/Velmora.log, or ~/.local/state/Velmora.log.
QString defaultPath();

// One entry at a given path and moment. Everything that logs is handed a sink built on this.
void writeTo(const QString& path, const QString& message, const QDateTime& now);

// The program's own sink: the default path and the wall clock.
void write(const QString& message);

// The file half of writeTo, shared with the crash log's signal handler and so safe there: no
// allocation, nothing but stat, unlink, open, write and close. The log opened for appending,
// started afresh when past maxBytes; -1 when it cannot be opened.
int openForAppend(const char* path);
// All of the bytes, resumed after an interrupting signal; a full disk loses the rest.
void writeAll(int fd, const char* data, size_t size);

// "dd.MM. HH:mm:ss" in local time.
QString stamp(const QDateTime& now);

} // namespace Log
