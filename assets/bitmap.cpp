#include "assets/bitmap.h"

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

// BITMAPINFOHEADER, right after the file header.
struct BmpInfoHeader {
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
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kInfoOffset = kFileHeaderSize;
constexpr std::size_t kWidthField = kInfoOffset + 4;
constexpr std::size_t kHeightField = kInfoOffset + 8;
constexpr std::size_t kPlanesField = kInfoOffset + 12;
constexpr std::size_t kBitCountField = kInfoOffset + 14;
constexpr std::size_t kCompressionField = kInfoOffset + 16;
constexpr std::size_t kHeadersEnd = kInfoOffset + kInfoHeaderSize;
constexpr std::uint32_t kBiRgb = 0;

BmpFileHeader readFileHeader(ByteCursor& in) {
    BmpFileHeader h;
    h.type = in.u16();
    h.fileSize = in.u32();
    h.reserved1 = in.u16();
    h.reserved2 = in.u16();
    h.pixelOffset = in.u32();
    return h;
}

BmpInfoHeader readInfoHeader(ByteCursor& in) {
    BmpInfoHeader h;
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

} // namespace

Result<Bitmap> readBmp(std::span<const std::byte> file) {
    const auto cut = readError(ReadErrorCode::BmpHeadersCut, file.size(),
                               static_cast<std::int64_t>(file.size()));
    ByteCursor in(file);
    const BmpFileHeader head = readFileHeader(in);
    if (file.size() >= 2 && head.type != kBmpSignature)
        return readError(ReadErrorCode::BmpBadSignature, 0);
    const BmpInfoHeader info = readInfoHeader(in);
    if (in.failed())
        return cut;

    if (info.size != kInfoHeaderSize)
        return readError(ReadErrorCode::BmpBadInfoHeaderSize, kInfoOffset, info.size);
    if (info.width < 1 || info.width > kMaxBitmapSide)
        return readError(ReadErrorCode::BmpBadWidth, kWidthField, info.width);
    // A negative height would store the rows from the top; the files we make never do, but
    // the form is common and costs nothing to read.
    const std::int64_t rows = std::llabs(static_cast<long long>(info.height));
    if (rows < 1 || rows > kMaxBitmapSide)
        return readError(ReadErrorCode::BmpBadHeight, kHeightField, info.height);
    if (info.planes != 1)
        return readError(ReadErrorCode::BmpBadPlanes, kPlanesField, info.planes);
    if (info.bitCount != 24)
        return readError(ReadErrorCode::BmpUnsupportedBitDepth, kBitCountField, info.bitCount);
    if (info.compression != kBiRgb)
        return readError(ReadErrorCode::BmpUnsupportedCompression, kCompressionField,
                         info.compression);
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
