#pragma once

// What the program does before its first window: the settings that main and the start-up
// benchmark share.

namespace kt::qt {

// A display scale factor (QT_SCALE_FACTOR) that is not a number from 1 to kMaxScaleFactor is
// replaced by the nearest one that is, with one warning line; the windows are laid out in whole
// pixels and cannot be drawn smaller, nor larger without bound. Call before the application
// object exists.
inline constexpr double kMaxScaleFactor = 4;
void settleScaleFactor();

// While it lives, a window system that Qt fails to start ends the process with one line and
// status 1 instead of an abort: the reasons Qt gave on the way (its platform layer's "qt.qpa"
// messages among them), in Qt's words. Qt chooses the window system itself; nothing guesses its
// choice beforehand. Lives while the application object is made and the first window shown, no
// longer.
class StartUpFailures {
public:
    StartUpFailures();
    ~StartUpFailures();
    StartUpFailures(const StartUpFailures&) = delete;
    StartUpFailures& operator=(const StartUpFailures&) = delete;
};

// Settings of the application object: name, version, and no quitting behind the program's back
// when its last window is hidden. The built-in fonts and the icon wait for the first paint
// (ui/qt/fonts.h, ui/qt/program_icon.h).
void prepareApplication();

} // namespace kt::qt
