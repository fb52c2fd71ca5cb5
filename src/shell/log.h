#pragma once

#include <QDateTime>
#include <QString>

// The plain-text diagnostic log: one time-stamped entry per call, kept below 200000 bytes by
// starting afresh when it grows past that. Writing never fails visibly.
namespace Log {

inline constexpr qint64 maxBytes = 200000;

// $XDG_STATE_HOME/Velmora.log, fixed on first use.
const QString& path();

void write(const QString& message);

// The same at a given path and moment; write() uses it with path() and the current time.
void writeTo(const QString& path, const QString& message, const QDateTime& now);

// "dd.MM. HH:mm:ss" in local time.
QString stamp(const QDateTime& now);

} // namespace Log
