#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace kt::qt {

// The images of the program's built-in icon, as Qt's own ICO reader reads them, in the file's
// order; empty, with a warning, when it cannot read them.
QList<QImage> programIconImages();

// The program's built-in icon, every size it holds.
QIcon programIcon();

} // namespace kt::qt
