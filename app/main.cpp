#include "app/program.h"
#include "app/start_up.h"
#include "ui/qt/qt_window_system.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (!kt::qt::checkDisplay())
        return 1;
    // The program takes no command line: Qt is given the program's name and nothing else.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    kt::qt::prepareApplication();

    kt::qt::QtWindowSystem screen;
    kt::Program program(screen);
    program.start();
    if (program.ended())
        return program.exitCode();
    return QApplication::exec();
}
