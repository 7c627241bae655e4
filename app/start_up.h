#pragma once

// What the program does before its first window: the checks and settings that main and the
// start-up benchmark share.

namespace kt::qt {

// True when Qt has somewhere to show windows; otherwise the reason has been printed in one line.
bool checkDisplay();

// Settings of the application object: name, version, icon, and no quitting behind the program's
// back when its last window is hidden. The built-in fonts wait for the first paint (ui/qt/fonts.h).
void prepareApplication();

} // namespace kt::qt
