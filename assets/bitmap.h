#pragma once

#include "assets/read_result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kt {

// A decoded picture: rows from the top, three bytes red, green, blue per pixel, no padding.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;
};

// The largest side a bitmap may have; anything bigger is taken for damage.
inline constexpr int kMaxBitmapSide = 16384;

// Reads a 24-bit uncompressed BMP file of the Windows 3.x form.
Result<Bitmap> readBmp(std::span<const std::byte> file);

} // namespace kt
