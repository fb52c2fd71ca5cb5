// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using Action = CommandLine::Request::Action;

TEST(CommandLine, ArgumentsTable) {
    struct Row {
        std::vector<const char*> arguments;
        Action action;
        bool atLogin;
        const char* unknown;
    };
    const Row rows[] = {
        {{}, Action::run, false, ""},
        {{"--autostart"}, Action::run, true, ""},
        {{"--help"}, Action::help, false, ""},
        {{"-h"}, Action::help, false, ""},
        {{"--version"}, Action::version, false, ""},
        {{"--autostart", "--version"}, Action::version, false, ""},
        {{"--verbose"}, Action::error, false, "--verbose"},
        {{"--autostart", "x"}, Action::error, false, "x"},
        {{"--AUTOSTART"}, Action::error, false, "--AUTOSTART"},
        {{""}, Action::error, false, ""},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"velmora"};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        const auto request = CommandLine::parse(static_cast<int>(argv.size()), argv.data());
        const std::string what = row.arguments.empty() ? "(none)" : row.arguments.front();
        EXPECT_EQ(request.action, row.action) << what;
        EXPECT_EQ(request.launchedAtLogin, row.atLogin) << what;
        EXPECT_EQ(request.unknown, row.unknown) << what;
    }
}

// The real program, without any display, in a home of its own: what it prints, how it ends,
// and that it leaves no crash record in its log.
struct ProgramRun {
    int status;
    std::string output;
};

ProgramRun runProgram(const std::string& arguments, const std::string& environment) {
    const std::string command = "env -i PATH=/usr/bin:/bin " + environment + " '" + VELMORA_BINARY +
                                "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 512> buffer{};
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output};
}

TEST(CommandLine, WithoutADisplayTheProgramAnswersAndEndsCleanly) {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("velmora-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    const std::string environment = "HOME=" + home.string() + " XDG_STATE_HOME=" + home.string();
    struct Row {
        const char* arguments;
        int status;
        const char* says;
    };
    const Row rows[] = {
        {"--help", 0, "Aufruf: velmora"},
        {"--version", 0, "velmora " VELMORA_VERSION},
        {"--bogus", 2, "velmora: unbekannte Option \u00BB--bogus\u00AB"},
        {"", 1, "velmora: braucht eine grafische Sitzung"},
        {"--autostart", 1, "velmora: braucht eine grafische Sitzung"},
    };
    for (const Row& row : rows) {
        const ProgramRun run = runProgram(row.arguments, environment);
        EXPECT_EQ(run.status, row.status) << row.arguments << ": " << run.output;
        EXPECT_NE(run.output.find(row.says), std::string::npos)
            << row.arguments << ": " << run.output;
    }
    // An unreachable display is no display either.
    const ProgramRun unreachable = runProgram("", environment + " DISPLAY=:99");
    EXPECT_EQ(unreachable.status, 1) << unreachable.output;
    EXPECT_FALSE(std::filesystem::exists(home / "Velmora.log")) << "a crash record was written";
    std::filesystem::remove_all(home);
}

} // namespace
