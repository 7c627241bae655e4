#include "tools/picture_generator/ico_writer.h"

#include "tools/picture_generator/byte_writer.h"

#include <cassert>

namespace kt::pictures {

namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::uint32_t>(width * bitsPerPixel) + 31) / 32 * 4;
}

std::uint32_t imageBytes(const IconImage& image) {
    const std::uint32_t paletteBytes = 4u << image.bitsPerPixel;
    const auto rows = static_cast<std::uint32_t>(image.size);
    return kInfoHeaderSize + paletteBytes + rowBytes(image.size, image.bitsPerPixel) * rows +
           rowBytes(image.size, 1) * rows;
}

void writeImage(ByteWriter& out, const IconImage& image) {
    const int n = image.size;
    assert(image.indices.size() == static_cast<std::size_t>(n * n));
    assert(image.transparent.size() == static_cast<std::size_t>(n * n));
    const std::uint32_t colourRow = rowBytes(n, image.bitsPerPixel);
    const std::uint32_t maskRow = rowBytes(n, 1);

    out.u32(kInfoHeaderSize);
    out.i32(n);
    out.i32(2 * n); // colour bits and mask stacked
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(image.bitsPerPixel));
    out.u32(0); // no compression
    out.u32((colourRow + maskRow) * static_cast<std::uint32_t>(n));
    out.zeros(16); // resolution and colour counts unused in icons

    auto palette = [&]() -> std::span<const Rgb> {
        if (image.bitsPerPixel == 1)
            return kMonochromePalette;
        return kVgaPalette;
    }();
    for (Rgb c : palette) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }

    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colourRow, 0);
        for (int x = 0; x < n; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * n + x);
            const std::uint8_t index = image.transparent[i] ? 0 : image.indices[i];
            assert(index < palette.size());
            if (image.bitsPerPixel == 1)
                row[x / 8] |= static_cast<std::uint8_t>(index << (7 - x % 8));
            else
                row[x / 2] |= static_cast<std::uint8_t>(index << (x % 2 == 0 ? 4 : 0));
        }
        for (std::uint8_t b : row)
            out.u8(b);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < n; ++x)
            if (image.transparent[static_cast<std::size_t>(y * n + x)])
                row[x / 8] |= static_cast<std::uint8_t>(1 << (7 - x % 8));
        for (std::uint8_t b : row)
            out.u8(b);
    }
}

} // namespace

std::vector<std::byte> writeIco(std::span<const IconImage> images) {
    ByteWriter out;
    out.u16(0);
    out.u16(1); // icon, not cursor
    out.u16(static_cast<std::uint32_t>(images.size()));

    auto offset = static_cast<std::uint32_t>(kDirectorySize + kEntrySize * images.size());
    for (const IconImage& image : images) {
        assert(image.size > 0 && image.size < 256);
        assert(image.bitsPerPixel == 1 || image.bitsPerPixel == 4);
        out.u8(static_cast<std::uint32_t>(image.size));
        out.u8(static_cast<std::uint32_t>(image.size));
        out.u8(1u << image.bitsPerPixel); // colour count
        out.u8(0);
        out.u16(1); // planes
        out.u16(static_cast<std::uint32_t>(image.bitsPerPixel));
        out.u32(imageBytes(image));
        out.u32(offset);
        offset += imageBytes(image);
    }
    for (const IconImage& image : images)
        writeImage(out, image);
    assert(out.size() == offset);
    return out.take();
}

} // namespace kt::pictures
