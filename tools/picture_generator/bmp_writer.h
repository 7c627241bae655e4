#pragma once

#include "tools/picture_generator/rgb_image.h"

#include <cstddef>
#include <vector>

namespace kt::pictures {

// A 24-bit Windows 3.x BMP file: 14-byte file header, 40-byte information header, no colour
// table, rows bottom-up and zero-padded to four bytes, no resolution.
std::vector<std::byte> writeBmp(const RgbImage& image);

} // namespace kt::pictures
