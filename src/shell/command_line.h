// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the program was asked to do on its command line. Read before anything connects to the
// window system, so that --help and --version work without a display.
namespace CommandLine {

struct Request {
    enum class Action { run, help, version, error } action = Action::run;
    bool launchedAtLogin = false; // --autostart: started at login
    std::string unknown;          // for error: the argument the program does not know
};

Request parse(int argc, const char* const* argv);

// The usage text, in German like everything the program says.
std::string usage();

} // namespace CommandLine
