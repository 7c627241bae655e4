#include "app/start_up.h"

#include "ui/qt/program_icon.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace kt::qt {

bool checkDisplay() {
    // Without a display Qt would abort with a long message about platform plugins; one line
    // that says what is missing serves better.
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return true;
    std::fputs("kinematics-test: no display to show its windows on (neither DISPLAY nor "
               "WAYLAND_DISPLAY is set)\n",
               stderr);
    return false;
}

void prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("kinematics-test"));
    // Lets desktops match the windows to the launcher and its icon.
    QApplication::setDesktopFileName(QStringLiteral("ru.school.kinematics_test"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
}

} // namespace kt::qt
