#include "assets/icon.h"

#include "assets/bitmap_info_header.h"
#include "assets/byte_cursor.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kt {
namespace {

// ICONDIR, at the start of the file, followed by idCount ICONDIRENTRY records.
struct IconDirectory {
    std::uint16_t reserved = 0;
    std::uint16_t type = 0; // 1 icon, 2 cursor
    std::uint16_t count = 0;
};
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kCountField = 4;
constexpr std::uint16_t kIconType = 1;

struct IconDirEntry {
    std::uint8_t width = 0;  // 0 means 256
    std::uint8_t height = 0; // 0 means 256
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint32_t imageOffset = 0; // from the start of the file
};
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBytesInResField = 8;

// An image may be a PNG file instead, which is not read.
constexpr std::array<std::byte, 4> kPngStart{std::byte{0x89}, std::byte{'P'}, std::byte{'N'},
                                             std::byte{'G'}};

IconDirEntry readEntry(ByteCursor& in) {
    IconDirEntry e;
    e.width = in.u8();
    e.height = in.u8();
    e.colorCount = in.u8();
    e.reserved = in.u8();
    e.planes = in.u16();
    e.bitCount = in.u16();
    e.bytesInRes = in.u32();
    e.imageOffset = in.u32();
    return e;
}

std::size_t rowBytes(std::size_t width, std::size_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

bool bitAt(const std::byte* row, std::size_t x) {
    return ((static_cast<unsigned>(row[x / 8]) >> (7 - x % 8)) & 1u) != 0;
}

// Index of pixel x in a row of 1-, 4- or 8-bit indices; the leftmost pixel is in the high bits.
unsigned indexAt(const std::byte* row, std::size_t x, unsigned bitCount) {
    const std::size_t bit = x * bitCount;
    const unsigned byte = static_cast<unsigned>(row[bit / 8]);
    const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit % 8);
    return (byte >> shift) & ((1u << bitCount) - 1);
}

// An image is a BITMAPINFOHEADER whose height counts the colour rows and the mask rows, then
// the palette, the colour (XOR) rows and the 1-bit AND mask rows, both bottom-up. This is where
// those parts lie, from the start of its bytes, once its header has been checked.
struct ImageLayout {
    std::size_t width = 0;
    std::size_t height = 0; // half the header's, which counts the mask rows too
    unsigned bitCount = 0;
    std::size_t colours = 0; // palette entries; none above 8 bits per pixel
    std::size_t xorStride = 0;
    std::size_t andStride = 0;
    std::size_t xorOffset = 0;
    std::size_t andOffset = 0;
};

using Palette = std::array<std::array<std::uint8_t, 3>, 256>; // red, green, blue

bool isPng(std::span<const std::byte> image) {
    return image.size() >= kPngStart.size() &&
           std::equal(kPngStart.begin(), kPngStart.end(), image.begin());
}

// Checks the image's header, and that its palette and rows fit in its bytes. `base` is where
// the bytes start in the file.
Result<ImageLayout> readLayout(std::span<const std::byte> image, std::size_t base) {
    ByteCursor in(image, base);
    // The planes are not checked: some writers leave them 0, and they tell nothing the bit
    // count does not. Nor is the image size, which writers fill in differently.
    const BitmapInfoHeader header = readBitmapInfoHeader(in);
    if (in.failed())
        return readError(ReadErrorCode::IcoImagePastEntry, base, kBitmapInfoHeaderSize);
    if (header.size != kBitmapInfoHeaderSize)
        return readError(ReadErrorCode::IcoBadImageHeader, base, header.size);
    if (header.width < 1 || header.width > kMaxIconSide)
        return readError(ReadErrorCode::IcoBadSize, base + kBiWidthField, header.width);
    // The directory entry's own width and height are ignored: the image header is what the
    // pixels follow, and 256 does not fit the entry's byte anyway.
    const std::int32_t doubledHeight = header.height;
    if (doubledHeight < 2 || doubledHeight > 2 * kMaxIconSide || doubledHeight % 2 != 0)
        return readError(ReadErrorCode::IcoBadSize, base + kBiHeightField, doubledHeight);
    const std::uint16_t bitCount = header.bitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return readError(ReadErrorCode::IcoUnsupportedBitDepth, base + kBiBitCountField, bitCount);
    if (header.compression != kBiRgb)
        return readError(ReadErrorCode::IcoUnsupportedCompression, base + kBiCompressionField,
                         header.compression);

    ImageLayout l;
    l.width = static_cast<std::size_t>(header.width);
    l.height = static_cast<std::size_t>(doubledHeight / 2);
    l.bitCount = bitCount;
    if (bitCount <= 8) {
        l.colours = std::size_t{1} << bitCount;
        if (header.clrUsed != 0 && header.clrUsed < l.colours)
            l.colours = header.clrUsed;
    }
    l.xorStride = rowBytes(l.width, bitCount);
    l.andStride = rowBytes(l.width, 1);
    l.xorOffset = kBitmapInfoHeaderSize + 4 * l.colours; // the palette comes first
    l.andOffset = l.xorOffset + l.xorStride * l.height;
    const std::size_t needed =
        l.andOffset + l.andStride * l.height; // small: every factor is bounded
    if (needed > image.size())
        return readError(ReadErrorCode::IcoImagePastEntry, base, static_cast<std::int64_t>(needed));
    return l;
}

Palette readPalette(std::span<const std::byte> image, const ImageLayout& l) {
    Palette palette{};
    for (std::size_t i = 0; i < l.colours; ++i) {
        const std::byte* q = image.data() + kBitmapInfoHeaderSize + 4 * i; // blue, green, red, 0
        palette[i] = {static_cast<std::uint8_t>(q[2]), static_cast<std::uint8_t>(q[1]),
                      static_cast<std::uint8_t>(q[0])};
    }
    return palette;
}

// Fills `out` from the colour rows: opaque, but for the alpha of 32-bit pixels. An index past
// the palette is the one fault the rows can hold.
std::optional<ReadError> readColourRows(std::span<const std::byte> image, std::size_t base,
                                        const ImageLayout& l, IconImage& out) {
    const Palette palette = readPalette(image, l);
    const std::size_t w = l.width;
    for (std::size_t stored = 0; stored < l.height; ++stored) {
        const std::size_t rowStart = l.xorOffset + stored * l.xorStride;
        const std::byte* row = image.data() + rowStart;
        std::uint8_t* px = out.rgba.data() + (l.height - 1 - stored) * w * 4;
        for (std::size_t x = 0; x < w; ++x, px += 4) {
            if (l.bitCount <= 8) {
                const unsigned index = indexAt(row, x, l.bitCount);
                if (index >= l.colours)
                    return readError(ReadErrorCode::IcoBadColourIndex,
                                     base + rowStart + x * l.bitCount / 8, index);
                px[0] = palette[index][0];
                px[1] = palette[index][1];
                px[2] = palette[index][2];
                px[3] = 255;
            } else {
                const std::byte* q = row + x * (l.bitCount / 8);
                px[0] = static_cast<std::uint8_t>(q[2]);
                px[1] = static_cast<std::uint8_t>(q[1]);
                px[2] = static_cast<std::uint8_t>(q[0]);
                px[3] = l.bitCount == 32 ? static_cast<std::uint8_t>(q[3]) : 255;
            }
        }
    }
    return {};
}

bool anyAlpha(const IconImage& image) {
    for (std::size_t i = 3; i < image.rgba.size(); i += 4)
        if (image.rgba[i] != 0)
            return true;
    return false;
}

// Where a mask bit is set, the pixel is transparent; elsewhere opaque.
void applyMask(std::span<const std::byte> image, const ImageLayout& l, IconImage& out) {
    const std::size_t w = l.width;
    for (std::size_t stored = 0; stored < l.height; ++stored) {
        const std::byte* row = image.data() + l.andOffset + stored * l.andStride;
        std::uint8_t* px = out.rgba.data() + (l.height - 1 - stored) * w * 4;
        for (std::size_t x = 0; x < w; ++x, px += 4)
            px[3] = bitAt(row, x) ? 0 : 255;
    }
}

// `image` is the entry's bytes; `base` is where they start in the file.
Result<IconImage> readImage(std::span<const std::byte> image, std::size_t base) {
    if (isPng(image))
        return readError(ReadErrorCode::IcoPngImage, base);
    const auto layout = readLayout(image, base);
    if (!layout)
        return layout.error();
    const ImageLayout& l = layout.value();

    IconImage out;
    out.width = static_cast<int>(l.width);
    out.height = static_cast<int>(l.height);
    out.rgba.resize(l.width * l.height * 4);
    if (const auto fault = readColourRows(image, base, l, out))
        return *fault;
    // A 32-bit image with any alpha carries its own transparency and its mask only mirrors
    // it; otherwise the mask decides. Where a mask bit is set over a colour other than black,
    // Windows would invert the screen; we cannot, and show it as transparent instead.
    if (l.bitCount != 32 || !anyAlpha(out))
        applyMask(image, l, out);
    return out;
}

} // namespace

Result<Icon> readIco(std::span<const std::byte> file) {
    const auto cut = readError(ReadErrorCode::IcoDirectoryCut, file.size(),
                               static_cast<std::int64_t>(file.size()));
    ByteCursor in(file);
    IconDirectory dir;
    dir.reserved = in.u16();
    dir.type = in.u16();
    dir.count = in.u16();
    if (in.failed())
        return cut;
    if (dir.reserved != 0 || dir.type != kIconType)
        return readError(ReadErrorCode::IcoBadDirectory, 0);
    if (dir.count == 0)
        return readError(ReadErrorCode::IcoNoImages, kCountField);
    if (file.size() - kDirectorySize < kEntrySize * dir.count)
        return cut;

    Icon icon;
    icon.images.reserve(dir.count);
    for (std::size_t i = 0; i < dir.count; ++i) {
        const std::size_t at = kDirectorySize + kEntrySize * i;
        const IconDirEntry entry = readEntry(in);
        if (entry.imageOffset > file.size() || entry.bytesInRes > file.size() - entry.imageOffset)
            return readError(ReadErrorCode::IcoEntryOutsideFile, at + kBytesInResField,
                             entry.bytesInRes);
        auto image =
            readImage(file.subspan(entry.imageOffset, entry.bytesInRes), entry.imageOffset);
        if (!image)
            return image.error();
        icon.images.push_back(std::move(image).value());
    }
    return icon;
}

} // namespace kt
