#pragma once

// A picture box's border as both fronts paint it: filled rectangles, so that the lines scale
// whole with the display (Qt's own frame helpers draw one device pixel per line and leave the
// rest of a border unpainted above 100 %).

#include "ui/description.h"
#include "ui/layout.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kt {

// The border's colours, by the names the desktop's palette gives them.
enum class FrameColour : std::uint8_t { Dark, Light, Shadow, Midlight, Line };

struct FramePiece {
    PixelRect rect;
    FrameColour colour;
};

// Sunken: two lines, as Windows draws a sunken panel; flat: one line.
constexpr int frameLines(PictureBorder border) {
    return border == PictureBorder::Sunken ? 2 : 1;
}

// The border of a box of width × height, its lines `unit` pixels wide, from the outside in: each
// line's top and left sides in one colour, its bottom and right sides in another.
struct PictureFrame {
    std::array<FramePiece, 8> pieces{};
    std::size_t count = 0;
};

constexpr PictureFrame pictureFrame(PictureBorder border, int width, int height, int unit) {
    PictureFrame frame;
    const auto line = [&](int inset, FrameColour topLeft, FrameColour bottomRight) {
        const int left = inset;
        const int top = inset;
        const int w = width - 2 * inset;
        const int h = height - 2 * inset;
        frame.pieces[frame.count++] = {{left, top, w - unit, unit}, topLeft};
        frame.pieces[frame.count++] = {{left, top + unit, unit, h - 2 * unit}, topLeft};
        frame.pieces[frame.count++] = {{left, top + h - unit, w, unit}, bottomRight};
        frame.pieces[frame.count++] = {{left + w - unit, top, unit, h - unit}, bottomRight};
    };
    if (border == PictureBorder::Sunken) {
        line(0, FrameColour::Dark, FrameColour::Light);
        line(unit, FrameColour::Shadow, FrameColour::Midlight);
    } else {
        line(0, FrameColour::Line, FrameColour::Line);
    }
    return frame;
}

} // namespace kt
