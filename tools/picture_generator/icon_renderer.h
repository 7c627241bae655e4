#pragma once

#include "tools/picture_generator/ico_writer.h"

#include <cstdint>
#include <vector>

namespace kt::pictures {

// The program's icon: a window seen at a slant, with a black outline, a white client area, a
// cyan title bar along the top and a grey shadow to the lower right.

// A palette image for the ICO file: 1 bit (black and white, the shadow dithered) or 4 bits
// (the VGA palette). Everything outside the shape is transparent.
IconImage renderIcon(int size, int bitsPerPixel);

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

// The same drawing at any size with smoothed edges, for desktop icons; rows from the top.
std::vector<Rgba> renderSmoothIcon(int size);

} // namespace kt::pictures
