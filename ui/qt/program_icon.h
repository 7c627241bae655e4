#pragma once

#include <QIcon>

namespace kt {
struct Icon;
}

namespace kt::qt {

// The program's built-in icon, every size it holds; a null icon when the build has none.
QIcon programIcon();

// A decoded icon as Qt shows it: one pixmap for each image.
QIcon toQIcon(const Icon& icon);

} // namespace kt::qt
