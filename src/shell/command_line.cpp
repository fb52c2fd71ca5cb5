// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <cstring>

namespace CommandLine {

Request parse(int argc, const char* const* argv) {
    Request request;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--autostart") == 0) {
            request.launchedAtLogin = true;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            return {Request::Action::help, false, {}};
        } else if (std::strcmp(argument, "--version") == 0) {
            return {Request::Action::version, false, {}};
        } else {
            return {Request::Action::error, false, argument};
        }
    }
    return request;
}

std::string usage() {
    return "Aufruf: velmora [--autostart | --help | --version]\n"
           "W\u00E4hrungsrechner mit Taschenrechner im Infobereich der Kontrollleiste.\n"
           "\n"
           "  --autostart  beim Anmelden gestartet: das Fenster nicht von selbst \u00F6ffnen\n"
           "  --help       diese Hilfe zeigen\n"
           "  --version    die Version zeigen\n"
           "\n"
           "L\u00E4uft Velmora schon, zeigt ein weiterer Aufruf dessen Fenster; ein\n"
           "Tastenk\u00FCrzel der Arbeitsumgebung auf \u00BBvelmora\u00AB holt es so jederzeit\n"
           "hervor.\n";
}

} // namespace CommandLine
