#pragma once

// Windows are laid out in twips at 15 to a logical pixel (a CSS pixel in the browser); the
// toolkit scales logical pixels to the display, so every proportion survives display scaling.
// Edges are rounded, not sizes, so that controls that touch in twips touch on screen.

#include "ui/description.h"

namespace kt {

constexpr int twipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
}

// A rectangle in whole logical pixels.
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

} // namespace kt
