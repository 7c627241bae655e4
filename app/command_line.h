#pragma once

#include <string>

namespace kt {

// What the command line asks for. The program itself takes only --help and --version; Qt's own
// options (-platform, -display, -style, …) are passed on to Qt untouched.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string message; // the usage, the version line, or the one-line error
};

CommandLine readCommandLine(int argc, const char* const argv[]);

// Exit status for a command line the program does not understand, as getopt-style tools use.
inline constexpr int kUsageExitCode = 2;

} // namespace kt
