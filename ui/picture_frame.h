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
inline constexpr std::size_t kFrameColourCount = static_cast<std::size_t>(FrameColour::Line) + 1;

// Sunken: two lines, as Windows draws a sunken panel; flat: one line.
constexpr int frameLines(PictureBorder border) {
    return border == PictureBorder::Sunken ? 2 : 1;
}

struct PictureFrame {
    struct Piece {
        PixelRect rect;
        FrameColour colour;
    };
    std::array<Piece, 8> pieces{};
    std::size_t count = 0;
};

// The border of a box of width × height, its lines `unit` pixels wide, from the outside in: each
// line's top and left sides in one colour, its bottom and right sides in another.
constexpr PictureFrame pictureFrame(PictureBorder border, int width, int height, int unit) {
    PictureFrame frame;
    const auto line = [&](int inset, FrameColour topLeft, FrameColour bottomRight) {
        const int w = width - 2 * inset;
        const int h = height - 2 * inset;
        frame.pieces[frame.count++] = {{inset, inset, w - unit, unit}, topLeft};
        frame.pieces[frame.count++] = {{inset, inset + unit, unit, h - 2 * unit}, topLeft};
        frame.pieces[frame.count++] = {{inset, inset + h - unit, w, unit}, bottomRight};
        frame.pieces[frame.count++] = {{inset + w - unit, inset, unit, h - unit}, bottomRight};
    };
    if (border == PictureBorder::Flat) {
        line(0, FrameColour::Line, FrameColour::Line);
        return frame;
    }
    line(0, FrameColour::Dark, FrameColour::Light);
    line(unit, FrameColour::Shadow, FrameColour::Midlight);
    return frame;
}

} // namespace kt
