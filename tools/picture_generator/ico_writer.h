#pragma once

#include "tools/picture_generator/rgb_image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kt::pictures {

// The standard 16-colour VGA palette in Windows order (index 7 dark grey, 8 light grey).
inline constexpr std::array<Rgb, 16> kVgaPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {128, 128, 128},
    {192, 192, 192},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// Two-colour icons use black at index 0 and white at index 1.
inline constexpr std::array<Rgb, 2> kMonochromePalette = {{{0, 0, 0}, {255, 255, 255}}};

// One image of an icon, square, with 1 or 4 bits a pixel. Rows run from the top.
struct IconImage {
    int size = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint8_t> indices; // palette index of each pixel
    std::vector<bool> transparent;     // the AND mask: true where the desktop shows through
};

// Writes an ICO file: directory, then each image as information header (height doubled),
// palette, colour bits and the AND mask, rows bottom-up and padded to four bytes. A
// transparent pixel is stored as black in the colour bits so that it leaves the desktop
// unchanged.
std::vector<std::byte> writeIco(std::span<const IconImage> images);

} // namespace kt::pictures
