#include "assets/bitmap.h"

#include "assets/damaged_input.h"
#include "assets/test_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace kt::test {
namespace {

// 3 × 2 pixels: the stride is 12 (9 bytes of pixels and 3 pad bytes), the file 54 + 2 rows of 12
// bytes, and the bottom row is stored first. The headers are those of patternBmp.
Bytes threeByTwo() {
    const auto pattern = patternBmp(3, 2);
    Bytes b;
    b.append(std::span(pattern).first(54));
    // Stored row 0 is the bottom row: blue, green, red for each pixel, then padding.
    b.raw({0x00, 0x00, 0xFF})    // bottom left: red
        .raw({0x00, 0xFF, 0x00}) // bottom middle: green
        .raw({0xFF, 0x00, 0x00}) // bottom right: blue
        .raw({0, 0, 0})          // padding to 12
        .raw({0x10, 0x20, 0x30}) // top left
        .raw({0x40, 0x50, 0x60}) // top middle
        .raw({0x70, 0x80, 0x90}) // top right
        .raw({0, 0, 0});         // padding to 12
    return b;
}

TEST(ReadBmp, TurnsBottomUpRowsIntoTopDownRgb) {
    const auto read = readBmp(threeByTwo());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const Bitmap& bmp = read.value();
    EXPECT_EQ(bmp.width, 3);
    EXPECT_EQ(bmp.height, 2);
    const std::vector<std::uint8_t> expected = {
        0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, // top row
        0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, // bottom row
    };
    EXPECT_EQ(bmp.rgb, expected);
}

// Widths 1 to 5 give strides 4, 8, 12, 12, 16: every amount of padding from 0 to 3 bytes.
TEST(ReadBmp, SkipsRowPaddingForEveryWidth) {
    for (int width = 1; width <= 5; ++width) {
        for (int height : {1, 3}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            const auto file = patternBmp(width, height);
            EXPECT_EQ(file.size(),
                      54u + static_cast<std::size_t>((3 * width + 3) / 4 * 4 * height));
            const auto read = readBmp(file);
            ASSERT_TRUE(read.ok()) << read.error().describe();
            const Bitmap& bmp = read.value();
            ASSERT_EQ(bmp.rgb.size(), static_cast<std::size_t>(3 * width * height));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const std::size_t at = static_cast<std::size_t>(3 * (y * width + x));
                    EXPECT_EQ(bmp.rgb[at], patternRed(x, y)) << x << "," << y;
                    EXPECT_EQ(bmp.rgb[at + 1], patternGreen(x, y)) << x << "," << y;
                    EXPECT_EQ(bmp.rgb[at + 2], patternBlue(x, y)) << x << "," << y;
                }
        }
    }
}

TEST(ReadBmp, NegativeHeightMeansTopRowFirst) {
    Bytes b = threeByTwo();
    b.setU32(22, static_cast<std::uint32_t>(-2));
    const auto read = readBmp(b);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value().height, 2);
    // Now the first stored row (red, green, blue) is the top one.
    const std::vector<std::uint8_t> top = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
    EXPECT_TRUE(std::equal(top.begin(), top.end(), read.value().rgb.begin()));
}

TEST(ReadBmp, PixelDataMayStartAfterAGap) {
    Bytes b;
    const auto good = threeByTwo();
    b.append(std::span(good.bytes()).first(54)).u32(0xDEADBEEF);
    b.append(std::span(good.bytes()).subspan(54));
    b.setU32(2, 82);  // file size
    b.setU32(10, 58); // pixel data offset
    const auto read = readBmp(b);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value(), readBmp(good).value());
}

const Damage kDamage[] = {
    {"signature", [](Bytes& b) { b.bytes()[1] = std::byte{'A'}; }, ReadErrorCode::BmpBadSignature,
     0, 0},
    {"file size too large", [](Bytes& b) { b.setU32(2, 79); }, ReadErrorCode::BmpFileSizeMismatch,
     2, 79},
    {"file size too small", [](Bytes& b) { b.setU32(2, 77); }, ReadErrorCode::BmpFileSizeMismatch,
     2, 77},
    {"trailing byte", [](Bytes& b) { b.u8(0); }, ReadErrorCode::BmpFileSizeMismatch, 2, 78},
    {"pixel offset inside headers", [](Bytes& b) { b.setU32(10, 53); },
     ReadErrorCode::BmpBadPixelOffset, 10, 53},
    {"pixel offset past end", [](Bytes& b) { b.setU32(10, 79); }, ReadErrorCode::BmpBadPixelOffset,
     10, 79},
    {"pixel offset leaves too little", [](Bytes& b) { b.setU32(10, 58); },
     ReadErrorCode::BmpPixelsPastEnd, 58, 24},
    {"V5 header", [](Bytes& b) { b.setU32(14, 124); }, ReadErrorCode::BmpBadInfoHeaderSize, 14,
     124},
    {"OS/2 header", [](Bytes& b) { b.setU32(14, 12); }, ReadErrorCode::BmpBadInfoHeaderSize, 14,
     12},
    {"width 0", [](Bytes& b) { b.setU32(18, 0); }, ReadErrorCode::BmpBadWidth, 18, 0},
    {"width negative", [](Bytes& b) { b.setU32(18, static_cast<std::uint32_t>(-3)); },
     ReadErrorCode::BmpBadWidth, 18, -3},
    {"width absurd", [](Bytes& b) { b.setU32(18, 16385); }, ReadErrorCode::BmpBadWidth, 18, 16385},
    {"height 0", [](Bytes& b) { b.setU32(22, 0); }, ReadErrorCode::BmpBadHeight, 22, 0},
    {"height absurd", [](Bytes& b) { b.setU32(22, 16385); }, ReadErrorCode::BmpBadHeight, 22,
     16385},
    {"height most negative", [](Bytes& b) { b.setU32(22, 0x80000000u); },
     ReadErrorCode::BmpBadHeight, 22, INT32_MIN},
    {"rows past the end", [](Bytes& b) { b.setU32(22, 3); }, ReadErrorCode::BmpPixelsPastEnd, 54,
     36},
    {"largest allowed, no pixels",
     [](Bytes& b) {
         b.setU32(18, 16384);
         b.setU32(22, 16384);
     },
     ReadErrorCode::BmpPixelsPastEnd, 54, 49152LL * 16384},
    {"planes", [](Bytes& b) { b.setU16(26, 2); }, ReadErrorCode::BmpBadPlanes, 26, 2},
    {"8 bits", [](Bytes& b) { b.setU16(28, 8); }, ReadErrorCode::BmpUnsupportedBitDepth, 28, 8},
    {"32 bits", [](Bytes& b) { b.setU16(28, 32); }, ReadErrorCode::BmpUnsupportedBitDepth, 28, 32},
    {"RLE8", [](Bytes& b) { b.setU32(30, 1); }, ReadErrorCode::BmpUnsupportedCompression, 30, 1},
    {"bit fields", [](Bytes& b) { b.setU32(30, 3); }, ReadErrorCode::BmpUnsupportedCompression, 30,
     3},
};

TEST(ReadBmp, RefusesDamagedFilesNamingTheField) {
    expectEveryDamageRefused(kDamage, threeByTwo(), [](auto file) { return readBmp(file); });
}

TEST(ReadBmp, IgnoresTheImageSizeFieldAndResolutions) {
    Bytes b = threeByTwo();
    b.setU32(34, 0);    // image size: 0 is allowed for uncompressed pixels
    b.setU32(38, 2835); // 72 dpi
    b.setU32(42, 3780); // 96 dpi
    const auto read = readBmp(b);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value(), readBmp(threeByTwo()).value());
}

TEST(ReadBmp, ShortFileReportsWhereItEnds) {
    const auto good = threeByTwo();
    const auto read = readBmp(std::span(good.bytes()).first(30));
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().code, ReadErrorCode::BmpHeadersCut);
    EXPECT_EQ(read.error().offset, 30u);
}

TEST(ReadBmp, EveryCutFileIsRefused) {
    expectEveryCutFails(threeByTwo(), readBmp);
    expectEveryCutFails(patternBmp(5, 3), readBmp);
}

} // namespace
} // namespace kt::test
