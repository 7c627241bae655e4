#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace kt::qt {

// The frame (title bar and borders) an X11 window manager will put around `window`, asked for
// before the window is first shown, with EWMH's _NET_REQUEST_FRAME_EXTENTS, so that the window
// can be placed frame and all before it is mapped rather than moved once the frame is seen.
// Creates the window's native window. Nothing comes back where Qt is not on X11, where no
// window manager that takes the request runs, or where its answer does not come in time; in
// logical pixels, as the window's geometry.
std::optional<QMargins> frameBeforeShow(QWidget& window);

} // namespace kt::qt
