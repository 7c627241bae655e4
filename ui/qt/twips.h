#pragma once

#include "ui/layout.h"

#include <QRect>
#include <QSize>

namespace kt::qt {

inline QRect toQRect(const Rect& r) {
    const PixelRect p = toPixels(r);
    return {p.left, p.top, p.width, p.height};
}

inline QSize clientSize(const WindowDescription& w) {
    return {twipsToPixels(w.ClientWidth), twipsToPixels(w.ClientHeight)};
}

} // namespace kt::qt
