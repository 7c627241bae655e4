// The real program's start-up, up to the first paint of window "1", and no further: every
// setting, font and picture that start-up loads is loaded.
#include "app/program.h"
#include "first_paint.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/start_up.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (!kt::qt::checkDisplay())
        return 1;
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QuitAfterFirstPaint quit(QStringLiteral("Form1"));
    application.installEventFilter(&quit);
    kt::qt::prepareApplication();

    kt::qt::QtWindowSystem screen;
    kt::Program program(screen);
    program.start();
    return QApplication::exec();
}
