#pragma once

// BITMAPINFOHEADER, the header of a device-independent bitmap: in a BMP file right after the
// file header, in an ICO file at the start of every image. Only the Windows 3.x form, 40 bytes
// long, is read.

#include "assets/byte_cursor.h"

#include <cstddef>
#include <cstdint>

namespace kt {

struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: the first stored row is the bottom one
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
inline constexpr std::uint32_t kBiRgb = 0; // no compression

// Where the fields a reader checks lie, from the start of the header.
inline constexpr std::size_t kBiWidthField = 4;
inline constexpr std::size_t kBiHeightField = 8;
inline constexpr std::size_t kBiPlanesField = 12;
inline constexpr std::size_t kBiBitCountField = 14;
inline constexpr std::size_t kBiCompressionField = 16;

// Reads all 40 bytes. If fewer are left the cursor fails, so the caller checks it once after.
inline BitmapInfoHeader readBitmapInfoHeader(ByteCursor& in) {
    BitmapInfoHeader h;
    h.size = in.u32();
    h.width = in.i32();
    h.height = in.i32();
    h.planes = in.u16();
    h.bitCount = in.u16();
    h.compression = in.u32();
    h.sizeImage = in.u32();
    h.xPelsPerMeter = in.i32();
    h.yPelsPerMeter = in.i32();
    h.clrUsed = in.u32();
    h.clrImportant = in.u32();
    return h;
}

} // namespace kt
