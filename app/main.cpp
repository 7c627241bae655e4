#include "app/program.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_window_system.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort with a long message about platform plugins; one line that
// says what is missing serves better.
bool haveDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!haveDisplay()) {
        std::fputs("kinematics-test: no display to show its windows on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    // The program takes no command line: Qt is given the program's name and nothing else.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("kinematics-test"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setQuitOnLastWindowClosed(false);
    kt::qt::installBuiltInFonts();

    kt::qt::QtWindowSystem screen;
    kt::Program program(screen);
    program.start();
    if (program.ended())
        return program.exitCode();
    return QApplication::exec();
}
