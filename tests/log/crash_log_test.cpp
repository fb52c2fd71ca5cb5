// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/crash_log.h"
#include "support/qt_printers.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Death {
    bool signalled = false;
    int signal = 0;
    int exitCode = -1;
};

// Runs the helper to its end and reports how it ended.
Death runHelper(const QString& logPath, const char* how) {
    const QByteArray log = logPath.toLocal8Bit();
    char* argv[] = {const_cast<char*>(CRASH_HELPER), const_cast<char*>(log.constData()),
                    const_cast<char*>(how), nullptr};
    pid_t pid = 0;
    Death death;
    if (posix_spawn(&pid, CRASH_HELPER, nullptr, nullptr, argv, environ) != 0)
        return death;
    int status = 0;
    waitpid(pid, &status, 0);
    death.signalled = WIFSIGNALED(status);
    death.signal = death.signalled ? WTERMSIG(status) : 0;
    death.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return death;
}

QStringList logLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

const QRegularExpression
    stampAndTwoBlanks(QStringLiteral("^\\d\\d\\.\\d\\d\\. \\d\\d:\\d\\d:\\d\\d  "));

// The lines of one record: from its first line to the line before the next stamped entry.
QStringList record(const QStringList& lines, const QString& start) {
    QStringList out;
    for (const QString& line : lines) {
        if (!out.isEmpty() && stampAndTwoBlanks.match(line).hasMatch())
            break;
        if (!out.isEmpty() || (line.contains(start) && stampAndTwoBlanks.match(line).hasMatch()))
            out.append(line);
    }
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast(); // the split after the final line feed
    return out;
}

TEST(CrashLog, FatalSignalsLeaveARecordAndKillByTheSameSignal) {
    for (const auto& [how, sig] :
         {std::pair{"segv", SIGSEGV}, std::pair{"abort", SIGABRT}, std::pair{"fpe", SIGFPE}}) {
        QTemporaryDir dir;
        const QString log = dir.path() + "/Velmora.log";
        const Death death = runHelper(log, how);
        EXPECT_TRUE(death.signalled) << how << " exited with " << death.exitCode;
        EXPECT_EQ(death.signal, sig) << how;

        const QStringList lines = logLines(log);
        ASSERT_GE(lines.size(), 2) << how;
        EXPECT_TRUE(lines[0].endsWith("  vor dem Absturz"));
        const QStringList crash = record(lines, QStringLiteral("ABSTURZ (Signal %1)").arg(sig));
        ASSERT_FALSE(crash.isEmpty()) << how << lines.join('\n').toStdString();
        EXPECT_TRUE(crash[0].endsWith(QStringLiteral("  ABSTURZ (Signal %1)").arg(sig)));
        // Forty frames deep: exactly the first thirty are listed.
        EXPECT_EQ(crash.size(), 1 + CrashLog::signalFrames) << crash.join('\n').toStdString();
    }
}

TEST(CrashLog, UncaughtExceptionNamesTypeAndReasonThenAborts) {
    QTemporaryDir dir;
    const QString log = dir.path() + "/Velmora.log";
    const Death death = runHelper(log, "exception");
    EXPECT_TRUE(death.signalled);
    EXPECT_EQ(death.signal, SIGABRT);

    const QStringList lines = logLines(log);
    const QStringList crash = record(lines, QStringLiteral("ABSTURZ (Ausnahme)"));
    ASSERT_FALSE(crash.isEmpty()) << lines.join('\n').toStdString();
    EXPECT_TRUE(crash[0].endsWith(
        "  ABSTURZ (Ausnahme) (anonymous namespace)::QuoteError: Kurs nicht lesbar"))
        << crash[0].toStdString();
    EXPECT_EQ(crash.size(), 1 + CrashLog::exceptionFrames);
    // The abort that follows is a fatal signal of its own.
    EXPECT_FALSE(record(lines, QStringLiteral("ABSTURZ (Signal %1)").arg(SIGABRT)).isEmpty());
}

TEST(CrashLog, ExceptionWithoutReason) {
    QTemporaryDir dir;
    const QString log = dir.path() + "/Velmora.log";
    runHelper(log, "int");
    const QStringList crash = record(logLines(log), QStringLiteral("ABSTURZ (Ausnahme)"));
    ASSERT_FALSE(crash.isEmpty());
    EXPECT_TRUE(crash[0].endsWith("  ABSTURZ (Ausnahme) int: ")) << crash[0].toStdString();
}

TEST(CrashLog, NormalExitLeavesNoRecord) {
    QTemporaryDir dir;
    const QString log = dir.path() + "/Velmora.log";
    const Death death = runHelper(log, "plain");
    EXPECT_FALSE(death.signalled);
    EXPECT_EQ(death.exitCode, 0);
    EXPECT_FALSE(logLines(log).join('\n').contains("ABSTURZ"));
}

} // namespace
