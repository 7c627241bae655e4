#include "app/command_line.h"
#include "app/program.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/start_up.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    // --help, --version and mistakes are answered before Qt starts, so they need no display.
    const kt::CommandLine commandLine = kt::readCommandLine(argc, argv);
    switch (commandLine.action) {
    case kt::CommandLine::Action::Help:
    case kt::CommandLine::Action::Version:
        std::fputs(commandLine.message.c_str(), stdout);
        return 0;
    case kt::CommandLine::Action::Error:
        std::fputs(commandLine.message.c_str(), stderr);
        return kt::kUsageExitCode;
    case kt::CommandLine::Action::Run:
        break;
    }
    kt::qt::settleScaleFactor();
    auto failures = std::make_unique<kt::qt::StartUpFailures>();
    // What is left on the command line is Qt's own options.
    QApplication application(argc, argv);
    kt::qt::prepareApplication();

    kt::qt::QtWindowSystem screen;
    kt::Program program(screen);
    program.start();
    failures.reset();
    if (program.ended())
        return program.exitCode();
    return QApplication::exec();
}
