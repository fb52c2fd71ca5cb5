// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/crash_log.h"

#include "log/log.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cxxabi.h>
#include <exception>
#include <execinfo.h>
#include <typeinfo>
#include <unistd.h>

namespace {

// Everything the signal handler needs is prepared here in advance: inside the handler only
// async-signal-safe calls (stat, unlink, open, write, close, clock_gettime, signal, raise) and
// backtrace, which install() has already run once so that it does not load anything later.
char g_logPath[4096];
long g_utcOffsetSeconds = 0;
QString* g_logPathString = nullptr;

void put(char*& out, const char* text) {
    while (*text)
        *out++ = *text++;
}

void putTwoDigits(char*& out, int n) {
    *out++ = static_cast<char>('0' + (n / 10) % 10);
    *out++ = static_cast<char>('0' + n % 10);
}

void putNumber(char*& out, int n) {
    char digits[12];
    int count = 0;
    unsigned value = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (n < 0)
        *out++ = '-';
    while (count > 0)
        *out++ = digits[--count];
}

// Civil date from days since 1970-01-01 (Howard Hinnant's algorithm): no library call.
void civilFromDays(long z, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
}

// "dd.MM. HH:mm:ss" in the local time of install(), without localtime().
void putStamp(char*& out) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long local = static_cast<long>(now.tv_sec) + g_utcOffsetSeconds;
    long days = local / 86400;
    long secs = local % 86400;
    if (secs < 0) {
        secs += 86400;
        days -= 1;
    }
    int month = 1, day = 1;
    civilFromDays(days, month, day);
    putTwoDigits(out, day);
    *out++ = '.';
    putTwoDigits(out, month);
    put(out, ". ");
    putTwoDigits(out, static_cast<int>(secs / 3600));
    *out++ = ':';
    putTwoDigits(out, static_cast<int>(secs / 60 % 60));
    *out++ = ':';
    putTwoDigits(out, static_cast<int>(secs % 60));
}

void onFatalSignal(int sig) {
    const int savedErrno = errno;
    char header[128];
    char* out = header;
    putStamp(out);
    put(out, "  ABSTURZ (Signal ");
    putNumber(out, sig);
    put(out, ")\n");

    void* frames[CrashLog::signalFrames];
    const int count = backtrace(frames, CrashLog::signalFrames);
    const int fd = Log::openForAppend(g_logPath);
    if (fd >= 0) {
        Log::writeAll(fd, header, static_cast<size_t>(out - header));
        if (count > 0)
            backtrace_symbols_fd(frames, count, fd); // one line per frame, each ending in LF
        else
            Log::writeAll(fd, "\n", 1);
        close(fd);
    }
    errno = savedErrno;
    signal(sig, SIG_DFL);
    raise(sig);
}

QString exceptionTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type)
        return QStringLiteral("unbekannt");
    int status = 0;
    char* demangled = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    QString name = QString::fromUtf8(status == 0 && demangled ? demangled : type->name());
    std::free(demangled);
    return name;
}

std::terminate_handler g_previousTerminate = nullptr;

[[noreturn]] void onTerminate() {
    QString reason;
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            reason = QString::fromUtf8(e.what());
        } catch (...) {
        }
        QString message = QStringLiteral("ABSTURZ (Ausnahme) ") + exceptionTypeName() +
                          QLatin1String(": ") + reason + QLatin1Char('\n');
        void* frames[CrashLog::exceptionFrames];
        const int count = backtrace(frames, CrashLog::exceptionFrames);
        if (char** symbols = backtrace_symbols(frames, count)) {
            for (int i = 0; i < count; ++i) {
                if (i > 0)
                    message += QLatin1Char('\n');
                message += QString::fromLocal8Bit(symbols[i]);
            }
            std::free(symbols);
        }
        Log::writeTo(*g_logPathString, message, QDateTime::currentDateTime());
    }
    // What follows is the runtime's own handling: by default abort(), whose SIGABRT then
    // leaves its record too.
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

} // namespace

namespace CrashLog {

void install() {
    install(Log::defaultPath());
}

void install(const QString& logPath) {
    const QByteArray encoded = QFile::encodeName(logPath);
    const size_t length = std::min(static_cast<size_t>(encoded.size()), sizeof g_logPath - 1);
    std::memcpy(g_logPath, encoded.constData(), length);
    g_logPath[length] = '\0';
    delete g_logPathString;
    g_logPathString = new QString(logPath);
    g_utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();

    void* warmUp[1];
    backtrace(warmUp, 1);

    g_previousTerminate = std::set_terminate(&onTerminate);
    for (int sig : {SIGTRAP, SIGILL, SIGSEGV, SIGABRT, SIGBUS, SIGFPE})
        signal(sig, &onFatalSignal);
}

} // namespace CrashLog
