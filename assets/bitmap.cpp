#include "assets/bitmap.h"

#include "assets/bitmap_info_header.h"
#include "assets/byte_cursor.h"

#include <cstdlib>

namespace kt {
namespace {

// BITMAPFILEHEADER, at the start of the file.
struct BmpFileHeader {
    std::uint16_t type = 0;
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;
};
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint16_t kBmpSignature = 0x4D42; // "BM"
constexpr std::size_t kFileSizeField = 2;
constexpr std::size_t kPixelOffsetField = 10;

// The information header follows the file header.
constexpr std::size_t kInfoOffset = kFileHeaderSize;
constexpr std::size_t kHeadersEnd = kInfoOffset + kBitmapInfoHeaderSize;

BmpFileHeader readFileHeader(ByteCursor& in) {
    BmpFileHeader h;
    h.type = in.u16();
    h.fileSize = in.u32();
    h.reserved1 = in.u16();
    h.reserved2 = in.u16();
    h.pixelOffset = in.u32();
    return h;
}

} // namespace

Result<Bitmap> readBmp(std::span<const std::byte> file) {
    const auto cut = readError(ReadErrorCode::BmpHeadersCut, file.size(),
                               static_cast<std::int64_t>(file.size()));
    ByteCursor in(file);
    const BmpFileHeader head = readFileHeader(in);
    if (file.size() >= 2 && head.type != kBmpSignature)
        return readError(ReadErrorCode::BmpBadSignature, 0);
    const BitmapInfoHeader info = readBitmapInfoHeader(in);
    if (in.failed())
        return cut;

    if (info.size != kBitmapInfoHeaderSize)
        return readError(ReadErrorCode::BmpBadInfoHeaderSize, kInfoOffset, info.size);
    if (info.width < 1 || info.width > kMaxBitmapSide)
        return readError(ReadErrorCode::BmpBadWidth, kInfoOffset + kBiWidthField, info.width);
    // A negative height would store the rows from the top; the files we make never do, but
    // the form is common and costs nothing to read.
    const std::int64_t rows = std::llabs(static_cast<long long>(info.height));
    if (rows < 1 || rows > kMaxBitmapSide)
        return readError(ReadErrorCode::BmpBadHeight, kInfoOffset + kBiHeightField, info.height);
    if (info.planes != 1)
        return readError(ReadErrorCode::BmpBadPlanes, kInfoOffset + kBiPlanesField, info.planes);
    if (info.bitCount != 24)
        return readError(ReadErrorCode::BmpUnsupportedBitDepth, kInfoOffset + kBiBitCountField,
                         info.bitCount);
    if (info.compression != kBiRgb)
        return readError(ReadErrorCode::BmpUnsupportedCompression,
                         kInfoOffset + kBiCompressionField, info.compression);
    if (head.pixelOffset < kHeadersEnd || head.pixelOffset > file.size())
        return readError(ReadErrorCode::BmpBadPixelOffset, kPixelOffsetField, head.pixelOffset);

    // Both sides are at most 16384, so none of this can overflow.
    const std::size_t width = static_cast<std::size_t>(info.width);
    const std::size_t height = static_cast<std::size_t>(rows);
    const std::size_t rowBytes = 3 * width;
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * height;
    if (pixelBytes > file.size() - head.pixelOffset)
        return readError(ReadErrorCode::BmpPixelsPastEnd, head.pixelOffset,
                         static_cast<std::int64_t>(pixelBytes));
    // The image size field is left alone: writers may leave it 0 for uncompressed pixels.
    if (head.fileSize != file.size())
        return readError(ReadErrorCode::BmpFileSizeMismatch, kFileSizeField, head.fileSize);

    Bitmap bitmap;
    bitmap.width = info.width;
    bitmap.height = static_cast<int>(height);
    bitmap.rgb.resize(rowBytes * height);
    const bool bottomUp = info.height > 0;
    const std::byte* source = file.data() + head.pixelOffset;
    for (std::size_t stored = 0; stored < height; ++stored, source += stride) {
        const std::size_t row = bottomUp ? height - 1 - stored : stored;
        std::uint8_t* out = bitmap.rgb.data() + row * rowBytes;
        for (std::size_t x = 0; x < rowBytes; x += 3) {
            out[x] = static_cast<std::uint8_t>(source[x + 2]);
            out[x + 1] = static_cast<std::uint8_t>(source[x + 1]);
            out[x + 2] = static_cast<std::uint8_t>(source[x]);
        }
    }
    return bitmap;
}

} // namespace kt
