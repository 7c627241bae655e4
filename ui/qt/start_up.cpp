#include "ui/qt/start_up.h"

#include "program_identity.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/text.h"

#include <QApplication>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace kt::qt {

namespace {

constexpr const char* kProgram = "kinematics-test";

QByteArray environment(const char* name) {
    return qgetenv(name);
}

// The platforms Qt will try, in order, as it chooses them: -platform, else QT_QPA_PLATFORM,
// else the session's own kind with X11 behind it.
QByteArrayList platformsToTry(std::string_view given) {
    QByteArray names(given.data(), static_cast<qsizetype>(given.size()));
    if (names.isEmpty())
        names = environment("QT_QPA_PLATFORM");
    if (names.isEmpty()) {
        names = "xcb";
        const QByteArray desktops =
            (environment("XDG_CURRENT_DESKTOP") + environment("XDG_SESSION_DESKTOP")).toLower();
        if (environment("XDG_SESSION_TYPE") == "wayland" && !desktops.contains("gnome"))
            names = "wayland;xcb";
    }
    QByteArrayList platforms;
    for (const QByteArray& entry : names.split(';'))
        if (const QByteArray name = entry.split(':').front().trimmed(); !name.isEmpty())
            platforms << name;
    return platforms;
}

// What Qt was asked to start, for the message should it fail after all.
std::string g_platforms = "xcb";

bool hasPlatformPlugin(const QByteArray& name) {
    QStringList folders;
    if (const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.isEmpty())
        folders << own;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    const QString wanted = QString::fromLocal8Bit(name);
    // Reading a plugin's metadata costs a millisecond or more each: a plugin named after its
    // platform, as Qt's own are, is found by its file name first.
    for (const QString& folder : folders)
        if (QFile::exists(folder + QStringLiteral("/libq") + wanted.toLower() +
                          QStringLiteral(".so")))
            return true;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData();
            for (const auto key : meta.value(QStringLiteral("MetaData"))
                                      .toObject()
                                      .value(QStringLiteral("Keys"))
                                      .toArray())
                if (key.toString().compare(wanted, Qt::CaseInsensitive) == 0)
                    return true;
        }
    }
    return false;
}

// Connects as Qt's X11 plugin will, through the XCB library it links; an empty answer means the
// display answered (or the library is not there to ask, and Qt will find out for itself).
std::optional<std::string> x11Problem(std::string_view given) {
    const std::string display =
        given.empty() ? environment("DISPLAY").toStdString() : std::string(given);
    if (display.empty())
        return "no display to show its windows on (DISPLAY is not set)";
    void* xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!xcb)
        return std::nullopt;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    std::optional<std::string> problem;
    if (connect && hasError && disconnect) {
        void* connection = connect(display.c_str(), nullptr);
        if (hasError(connection) != 0)
            problem = "cannot open display \"" + display + '"';
        disconnect(connection);
    }
    dlclose(xcb);
    return problem;
}

// A Wayland compositor listens on a socket in XDG_RUNTIME_DIR (or at an absolute path).
std::optional<std::string> waylandProblem() {
    if (!environment("WAYLAND_SOCKET").isEmpty())
        return std::nullopt; // handed over already connected
    QByteArray name = environment("WAYLAND_DISPLAY");
    if (name.isEmpty())
        name = "wayland-0";
    QByteArray path = name;
    if (!name.startsWith('/')) {
        const QByteArray runtime = environment("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return "cannot connect to Wayland display \"" + name.toStdString() +
                   "\" (XDG_RUNTIME_DIR is not set)";
        path = runtime + '/' + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    bool answered = false;
    if (static_cast<std::size_t>(path.size()) < sizeof address.sun_path) {
        std::copy(path.begin(), path.end(), address.sun_path);
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        answered = fd >= 0 &&
                   ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            close(fd);
    }
    if (answered)
        return std::nullopt;
    return "cannot connect to Wayland display \"" + name.toStdString() + '"';
}

std::optional<std::string> platformProblem(const QByteArray& platform, std::string_view display) {
    if (!hasPlatformPlugin(platform))
        return "no window system \"" + platform.toStdString() +
               "\" (Qt has no plugin of that name)";
    if (platform.compare("xcb", Qt::CaseInsensitive) == 0)
        return x11Problem(display);
    if (platform.toLower().startsWith("wayland"))
        return waylandProblem();
    return std::nullopt;
}

void say(const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", kProgram, line.c_str());
}

QtMessageHandler g_qtHandler = nullptr;

void endOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (g_qtHandler)
            g_qtHandler(type, context, message);
        return;
    }
    say("the window system \"" + g_platforms +
        "\" failed: " + message.section(QLatin1Char('\n'), 0, 0).toStdString());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

bool checkDisplay(std::string_view platform, std::string_view display) {
    // Qt would abort with a core dump and a long message about platform plugins; one line that
    // says what is missing serves better. The first platform that can start is enough.
    const QByteArrayList platforms = platformsToTry(platform);
    g_platforms = platforms.join(';').toStdString();
    std::string problems;
    for (const QByteArray& name : platforms) {
        const auto problem = platformProblem(name, display);
        if (!problem)
            return true;
        problems += (problems.empty() ? "" : "; ") + *problem;
    }
    say(problems.empty() ? "no window system is named" : problems);
    return false;
}

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
}

void prepareApplication() {
    QApplication::setApplicationName(toQString(kProgramName));
    // Lets desktops match the windows to the launcher and its icon.
    QApplication::setDesktopFileName(toQString(kApplicationId));
    QApplication::setApplicationVersion(toQString(kProgramVersion));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
}

} // namespace kt::qt
