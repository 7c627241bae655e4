#include "ui/qt/start_up.h"

#include "program_identity.h"
#include "ui/qt/text.h"

#include <QApplication>
#include <QList>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace kt::qt {

namespace {

void say(const std::string& line) {
    std::fprintf(stderr, "%.*s: %s\n", int(kProgramName.size()), kProgramName.data(), line.c_str());
}

QtMessageHandler g_qtHandler = nullptr;

// What Qt has said since start-up began, its platform layer above all: the reasons, in its own
// words, should it fail to start a window system after all; passed on as they came should it
// succeed.
struct HeldLine {
    QtMsgType type;
    const char* category; // Qt's categories are static
    QString message;
};
QList<HeldLine> g_heldLines;

void endOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        g_heldLines.append({type, context.category, message});
        return;
    }
    // Qt's own last words (a list of plugins and advice to reinstall) come after the reasons.
    QStringList reasons;
    for (const HeldLine& line : std::as_const(g_heldLines)) {
        QString reason = line.message.simplified();
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1); // the reasons are joined into one sentence
        reasons << reason;
    }
    if (reasons.isEmpty())
        reasons << message.section(QLatin1Char('\n'), 0, 0).simplified();
    say(reasons.join(QStringLiteral("; ")).toStdString());
    std::fflush(stderr);
    // Returning would let Qt abort (a core dump, and its own advice printed after ours); exit()
    // would run the destructors of a QApplication still in its constructor. _Exit ends at once,
    // with the status a program that cannot start gives.
    std::_Exit(1);
}

} // namespace

void settleScaleFactor() {
    constexpr const char* kName = "QT_SCALE_FACTOR";
    const QString given = qEnvironmentVariable(kName);
    if (given.isEmpty())
        return;
    bool ok = false;
    const double factor = given.toDouble(&ok); // read the way Qt reads it
    if (ok && factor >= 1 && factor <= kMaxScaleFactor)
        return;
    const double used = ok && factor > kMaxScaleFactor ? kMaxScaleFactor : 1;
    const QByteArray text = QByteArray::number(used);
    qputenv(kName, text);
    say(std::string("warning: ") + kName + "=" + given.toStdString() + " cannot be used; using " +
        text.toStdString());
}

StartUpFailures::StartUpFailures() {
    g_qtHandler = qInstallMessageHandler(endOnFatal);
}

StartUpFailures::~StartUpFailures() {
    qInstallMessageHandler(g_qtHandler);
    // Qt started after all; what it said on the way is not lost.
    for (const HeldLine& line : std::as_const(g_heldLines))
        qt_message_output(line.type, QMessageLogContext(nullptr, 0, nullptr, line.category),
                          line.message);
    g_heldLines.clear();
}

void prepareApplication() {
    QApplication::setApplicationName(toQString(kProgramName));
    // Lets desktops match the windows to the launcher and its icon.
    QApplication::setDesktopFileName(toQString(kApplicationId));
    QApplication::setApplicationVersion(toQString(kProgramVersion));
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace kt::qt
