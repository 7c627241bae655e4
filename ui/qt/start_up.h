#pragma once

// What the program does before its first window: the checks and settings that main and the
// start-up benchmark share.

#include <string_view>

namespace kt::qt {

// True when Qt has somewhere to show windows; otherwise the reason has been printed in one line.
// Looks at what Qt itself will look at: the platforms named by Qt's -platform option (`platform`)
// or else QT_QPA_PLATFORM or the session, and for X11 and Wayland whether their display answers
// (for X11, the one Qt's -display option names, `display`, or else DISPLAY).
bool checkDisplay(std::string_view platform = {}, std::string_view display = {});

// A display scale factor (QT_SCALE_FACTOR) that is not a number from 1 to kMaxScaleFactor is
// replaced by the nearest one that is, with one warning line; the windows are laid out in whole
// pixels and cannot be drawn smaller, nor larger without bound. Call before the application
// object exists.
inline constexpr double kMaxScaleFactor = 4;
void settleScaleFactor();

// While it lives, a window system that Qt fails to start after all ends the process with one
// line and status 1 instead of an abort. Lives while the application object is made and the
// first window shown, no longer.
class StartUpFailures {
public:
    StartUpFailures();
    ~StartUpFailures();
    StartUpFailures(const StartUpFailures&) = delete;
    StartUpFailures& operator=(const StartUpFailures&) = delete;
};

// Settings of the application object: name, version, icon, and no quitting behind the program's
// back when its last window is hidden. The built-in fonts wait for the first paint (ui/qt/fonts.h).
void prepareApplication();

} // namespace kt::qt
