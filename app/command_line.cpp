#include "app/command_line.h"

#include "program_identity.h"

#include <string_view>

namespace kt {
namespace {

// Qt's own options, as QGuiApplication, QApplication and the X11 platform read them, with one
// dash or two: those that take a value, and those that stand alone.
constexpr std::string_view kQtOptionsWithValue =
    " platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowicon icon"
    " qwindowtitle title session display style stylesheet name visual ncols cmap im"
    " qmljsdebugger ";
constexpr std::string_view kQtFlags = " reverse widgetcount nograb dograb sync testability ";

bool among(std::string_view names, std::string_view name) {
    return !name.empty() && name.find(' ') == std::string_view::npos &&
           names.find(" " + std::string(name) + " ") != std::string_view::npos;
}

std::string usage() {
    std::string text = "Usage: ";
    text += kProgramName;
    text += " [--help] [--version] [Qt options]\n"
            "A test for pupils on the kinematics of straight-line motion: ten questions in "
            "windows of their own,\nthen the mark. The interface is in Russian.\n\n"
            "  --help      show this help and exit\n"
            "  --version   show the version and exit\n\n"
            "Qt's own options, such as -platform NAME, -display DISPLAY or -style NAME, are "
            "passed on to Qt.\n";
    return text;
}

CommandLine error(std::string text) {
    return {CommandLine::Action::Error, std::string(kProgramName) + ": " + text + " (see " +
                                            std::string(kProgramName) + " --help)\n"};
}

} // namespace

CommandLine readCommandLine(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return {CommandLine::Action::Help, usage()};
        if (argument == "--version")
            return {CommandLine::Action::Version,
                    std::string(kProgramName) + " " + std::string(kProgramVersion) + "\n"};
        if (argument.size() < 2 || argument[0] != '-')
            return error("unexpected argument '" + std::string(argument) + "'");

        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const bool valueAttached = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (among(kQtFlags, name) && !valueAttached)
            continue;
        if (!among(kQtOptionsWithValue, name))
            return error("unknown option '" + std::string(argument) + "'");
        if (!valueAttached && ++i == argc)
            return error("option '" + std::string(argument) + "' needs a value");
    }
    return {};
}

} // namespace kt
