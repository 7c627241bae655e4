#pragma once

#include "ui/description.h"

namespace kt::web {

// Windows are laid out in twips at 15 to a CSS pixel, as on the desktop at 100 %; the browser
// scales CSS pixels to the display and to its zoom. Edges are rounded, not sizes, so that
// controls that touch in twips touch on screen.
constexpr int twipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
}

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr PixelRect toPixels(const Rect& r) {
    const int left = twipsToPixels(r.Left);
    const int top = twipsToPixels(r.Top);
    return {left, top, twipsToPixels(r.right()) - left, twipsToPixels(r.bottom()) - top};
}

} // namespace kt::web
