#pragma once

#include <QIcon>

namespace kt::qt {

// The program's built-in icon, every size it holds; a null icon when the build has none.
QIcon programIcon();

} // namespace kt::qt
