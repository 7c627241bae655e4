#pragma once

#include "ui/description.h"

#include <QRect>
#include <QSize>

namespace kt::qt {

// Windows are laid out in twips at 15 to a logical pixel; Qt scales logical pixels to the
// display, so every proportion survives display scaling. Edges are rounded, not sizes, so that
// controls that touch in twips touch on screen.
constexpr int twipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
}

inline QRect toPixels(const Rect& r) {
    const int left = twipsToPixels(r.Left);
    const int top = twipsToPixels(r.Top);
    return {left, top, twipsToPixels(r.right()) - left, twipsToPixels(r.bottom()) - top};
}

inline QSize clientSize(const WindowDescription& w) {
    return {twipsToPixels(w.ClientWidth), twipsToPixels(w.ClientHeight)};
}

} // namespace kt::qt
