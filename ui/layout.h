#pragma once

// How a window's description becomes its layout, the same for every toolkit: positions in
// logical pixels (CSS pixels in the browser), font sizes, the tab order and the stacking.

#include "ui/description.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace kt {

// Windows are laid out in twips at 15 to a logical pixel; the toolkit scales logical pixels to
// the display, so every proportion survives display scaling. Edges are rounded, not sizes, so
// that controls that touch in twips touch on screen.
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

// A font's size in logical pixels: points at 96 to the inch.
inline int fontPixels(const FontDescription& font) {
    return static_cast<int>(std::lround(font.Size * 96.0 / 72.0));
}

// The places of the window's controls in the description, in tab order: by TabIndex, and in the
// description's order where two are equal.
inline std::vector<std::size_t> tabOrder(const WindowDescription& window) {
    const auto controls = window.controls();
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].TabIndex < controls[b].TabIndex;
    });
    return order;
}

// Where the control at `place` stacks, higher in front: earlier controls lie in front of later
// ones, and labels, drawn on the window itself, lie behind every other control, each below the
// labels before it.
constexpr int layerOf(const WindowDescription& window, std::size_t place) {
    const auto controls = window.controls();
    const int count = static_cast<int>(kMaxControls);
    if (controls[place].kind != ControlKind::Label)
        return 2 * count + 1 - static_cast<int>(place);
    int labelsBefore = 0;
    for (std::size_t i = 0; i < place; ++i)
        labelsBefore += controls[i].kind == ControlKind::Label ? 1 : 0;
    return count - labelsBefore;
}

} // namespace kt
