#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

#include <cstddef>
#include <span>

namespace kt::qt {

// The images of an ICO file, as Qt's own ICO reader reads them, in the file's order; empty, with
// a warning, when it cannot read them.
QList<QImage> icoImages(std::span<const std::byte> file);

// The images of the program's built-in icon.
QList<QImage> programIconImages();

// The program's built-in icon, every size it holds.
QIcon programIcon();

// Gives every window the program's icon, once, as soon as the event loop is next idle. Called at a
// window's first paint: reading the icon loads Qt's image plugins, which would cost the first
// window a tenth of its start-up if it were read before the window is on screen.
void installProgramIconSoon();

} // namespace kt::qt
