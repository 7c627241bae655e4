#include "ui/qt/qt_window_system.h"

#include "program_identity.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/text.h"

#include <QApplication>
#include <QMessageBox>

namespace kt::qt {

QtWindowSystem::QtWindowSystem() : QtWindowSystem(showErrorMessage) {}

QtWindowSystem::QtWindowSystem(ErrorReporter reporter) : m_reporter(std::move(reporter)) {}

std::unique_ptr<Window> QtWindowSystem::build(const WindowDescription& description,
                                              WindowEvents& events) {
    return std::make_unique<QtWindow>(description, events);
}

void QtWindowSystem::end(int exitCode) {
    m_ended = true;
    m_exitCode = exitCode;
    // Hidden windows must not keep the process alive, and nothing may be clicked on the way out.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(exitCode);
}

void QtWindowSystem::reportError(const RuntimeErrorReport& error) {
    m_reporter(error);
}

void showErrorMessage(const RuntimeErrorReport& error) {
    QMessageBox box(QMessageBox::Critical, toQString(kProgramTitle), toQString(error.message()),
                    QMessageBox::Ok);
    box.exec();
}

} // namespace kt::qt
