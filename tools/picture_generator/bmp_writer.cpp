#include "tools/picture_generator/bmp_writer.h"

#include "tools/picture_generator/byte_writer.h"

namespace kt::pictures {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitsPerPixel = 24;
constexpr std::uint32_t kNoCompression = 0;
} // namespace

std::vector<std::byte> writeBmp(const RgbImage& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (3 * width + 3) / 4 * 4;
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;

    ByteWriter out;
    out.ascii("BM");
    out.u32(dataOffset + pixelBytes);
    out.u16(0);
    out.u16(0);
    out.u32(dataOffset);

    out.u32(kInfoHeaderSize);
    out.i32(image.width());
    out.i32(image.height()); // positive: the first stored row is the bottom one
    out.u16(1);              // planes
    out.u16(kBitsPerPixel);
    out.u32(kNoCompression);
    out.u32(pixelBytes);
    out.i32(0); // a bitmap pixel is a screen pixel; no physical size is claimed
    out.i32(0);
    out.u32(0); // colours used
    out.u32(0); // colours important

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.at(x, y);
            out.u8(p.b);
            out.u8(p.g);
            out.u8(p.r);
        }
        out.zeros(stride - 3 * width);
    }
    return out.take();
}

} // namespace kt::pictures
