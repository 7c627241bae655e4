#pragma once

#include "assets/read_result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kt {

// One image of an icon: rows from the top, four bytes red, green, blue, alpha per pixel
// (alpha not premultiplied), no padding.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    friend bool operator==(const IconImage&, const IconImage&) = default;
};

struct Icon {
    std::vector<IconImage> images; // in directory order
};

inline constexpr int kMaxIconSide = 256;

// Reads an ICO file whose images are uncompressed DIBs of 1, 4, 8, 24 or 32 bits per pixel.
Result<Icon> readIco(std::span<const std::byte> file);

} // namespace kt
