// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Leaves a record in the log when the process dies of a fatal signal or an uncaught C++
// exception, then lets it die exactly as it would have without the handler.
namespace CrashLog {

inline constexpr int signalFrames = 30;
inline constexpr int exceptionFrames = 25;

// Installs the handlers for SIGTRAP, SIGILL, SIGSEGV, SIGABRT, SIGBUS and SIGFPE and the
// terminate handler, writing to `logPath` (Log::defaultPath() by default).
void install();
void install(const QString& logPath);

} // namespace CrashLog
