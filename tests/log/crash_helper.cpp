// SPDX-License-Identifier: GPL-3.0-or-later
// Dies on purpose, as the crash tests ask: crash_helper LOGFILE segv|abort|exception|plain
#include "log/crash_log.h"
#include "log/log.h"

#include <QString>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

struct QuoteError final : std::runtime_error {
    using std::runtime_error::runtime_error;
};

volatile int g_unwound = 0;

// Recurses without a tail call so that the stack really is `depth` frames deeper.
[[gnu::noinline]] void deeper(int depth, const char* how) {
    if (depth > 0) {
        deeper(depth - 1, how);
        g_unwound = g_unwound + 1;
        return;
    }
    if (std::strcmp(how, "segv") == 0)
        std::raise(SIGSEGV); // a plain null write would be optimised away
    else if (std::strcmp(how, "fpe") == 0)
        std::raise(SIGFPE);
    else if (std::strcmp(how, "abort") == 0)
        std::abort();
    else if (std::strcmp(how, "exception") == 0)
        throw QuoteError("Kurs nicht lesbar");
    else if (std::strcmp(how, "int") == 0)
        throw 42;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    CrashLog::install(QString::fromLocal8Bit(argv[1]));
    Log::writeTo(QString::fromLocal8Bit(argv[1]), QStringLiteral("vor dem Absturz"),
                 QDateTime::currentDateTime());
    deeper(40, argv[2]);
    return 0;
}
