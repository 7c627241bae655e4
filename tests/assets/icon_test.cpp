#include "assets/icon.h"

#include "assets/damaged_input.h"
#include "assets/test_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace kt::test {
namespace {

// A 1-bit 2 × 2 icon: white, black over black, white, with the top right pixel transparent.
Bytes twoByTwo() {
    Bytes b;
    b.u16(0)            // reserved
        .u16(1)         // icon
        .u16(1);        // one image
    b.u8(2)             // width
        .u8(2)          // height
        .u8(2)          // colours
        .u8(0)          // reserved
        .u16(1)         // planes
        .u16(1)         // bits per pixel
        .u32(64)        // bytes in the image
        .u32(22);       // image offset
    b.u32(40)           // @22 header size
        .i32(2)         // width
        .i32(4)         // height: colour rows and mask rows
        .u16(1)         // planes
        .u16(1)         // bits per pixel
        .u32(0)         // no compression
        .u32(16)        // image size
        .i32(0)         // horizontal resolution
        .i32(0)         // vertical resolution
        .u32(0)         // colours used: all
        .u32(0);        // colours important
    b.u32(0x000000)     // @62 palette 0: black (blue, green, red, 0)
        .u32(0xFFFFFF); // palette 1: white
    b.u8(0x40)          // @70 colour row, bottom: black, white
        .zeros(3)       //   padded to 4 bytes
        .u8(0x80)       // colour row, top: white, black
        .zeros(3);      //   padded
    b.u8(0x00)          // @78 mask row, bottom: both shown
        .zeros(3)       //   padded
        .u8(0x40)       // mask row, top: the right one transparent
        .zeros(3);      //   padded
    return b;
}

TEST(ReadIco, AppliesTheMaskAndTurnsRowsTopDown) {
    const auto read = readIco(twoByTwo());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    ASSERT_EQ(read.value().images.size(), 1u);
    const IconImage& image = read.value().images[0];
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    const std::vector<std::uint8_t> expected = {
        255, 255, 255, 255, 0,   0,   0,   0,   // top: white; black but transparent
        0,   0,   0,   255, 255, 255, 255, 255, // bottom: black, white
    };
    EXPECT_EQ(image.rgba, expected);
}

struct Rgba {
    std::uint8_t r, g, b, a;
    friend bool operator==(Rgba, Rgba) = default;
};

Rgba pixel(const IconImage& image, int x, int y) {
    const auto* p = image.rgba.data() + 4 * (y * image.width + x);
    return {p[0], p[1], p[2], p[3]};
}

const std::vector<std::uint32_t> kVga = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

TEST(ReadIco, FourBitsLeftPixelInTheHighNibble) {
    const auto file = icoFile({icoImage(3, 1, 4, kVga, {9, 7, 8}, {0, 0, 0})});
    const auto read = readIco(file);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const IconImage& image = read.value().images[0];
    EXPECT_EQ(pixel(image, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(pixel(image, 1, 0), (Rgba{128, 128, 128, 255}));
    EXPECT_EQ(pixel(image, 2, 0), (Rgba{192, 192, 192, 255}));
}

TEST(ReadIco, EightAndTwentyFourBits) {
    std::vector<std::uint32_t> grey(256);
    for (std::uint32_t i = 0; i < 256; ++i)
        grey[i] = i * 0x010101;
    const auto file = icoFile({icoImage(2, 1, 8, grey, {200, 17}, {0, 1}),
                               icoImage(2, 1, 24, {}, {0x123456, 0xABCDEF}, {1, 0})});
    const auto read = readIco(file);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto& images = read.value().images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(pixel(images[0], 0, 0), (Rgba{200, 200, 200, 255}));
    EXPECT_EQ(pixel(images[0], 1, 0), (Rgba{17, 17, 17, 0}));
    EXPECT_EQ(pixel(images[1], 0, 0), (Rgba{0x12, 0x34, 0x56, 0}));
    EXPECT_EQ(pixel(images[1], 1, 0), (Rgba{0xAB, 0xCD, 0xEF, 255}));
}

TEST(ReadIco, ThirtyTwoBitsUseTheirAlphaWhenTheyHaveAny) {
    const auto withAlpha = icoFile({icoImage(2, 1, 32, {}, {0x80112233, 0x00445566}, {1, 0})});
    const auto read = readIco(withAlpha);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(pixel(read.value().images[0], 0, 0), (Rgba{0x11, 0x22, 0x33, 0x80}));
    EXPECT_EQ(pixel(read.value().images[0], 1, 0), (Rgba{0x44, 0x55, 0x66, 0}));

    // Without any alpha the mask decides, as in icons made before alpha existed.
    const auto noAlpha = icoFile({icoImage(2, 1, 32, {}, {0x00112233, 0x00445566}, {1, 0})});
    const auto old = readIco(noAlpha);
    ASSERT_TRUE(old.ok()) << old.error().describe();
    EXPECT_EQ(pixel(old.value().images[0], 0, 0), (Rgba{0x11, 0x22, 0x33, 0}));
    EXPECT_EQ(pixel(old.value().images[0], 1, 0), (Rgba{0x44, 0x55, 0x66, 255}));
}

TEST(ReadIco, ReadsOurIconShape) {
    const auto read = readIco(sampleIco());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto& images = read.value().images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].width, 32);
    EXPECT_EQ(images[0].height, 32);
    EXPECT_EQ(images[1].width, 16);
    EXPECT_EQ(images[1].height, 16);
    EXPECT_EQ(pixel(images[0], 0, 0).a, 0);                        // outside the square
    EXPECT_EQ(pixel(images[0], 5, 4), (Rgba{0, 0, 0, 255}));       // (5 + 4) % 3 == 0: black
    EXPECT_EQ(pixel(images[0], 6, 4), (Rgba{255, 255, 255, 255})); // white
    EXPECT_EQ(pixel(images[1], 9, 0), (Rgba{255, 0, 0, 255}));     // colour 9
    EXPECT_EQ(pixel(images[1], 0, 0).a, 0);                        // colour 0 is masked
    EXPECT_EQ(pixel(images[1], 15, 1).a, 0);
}

TEST(ReadIco, TheImageHeaderGivesTheSizeEvenFor256) {
    const auto file = icoFile({icoImage(
        256, 1, 1, {0, 0xFFFFFF}, std::vector<std::uint32_t>(256, 1), std::vector<int>(256, 0))});
    ASSERT_EQ(static_cast<int>(file[6]), 0); // the directory's byte cannot hold 256
    const auto read = readIco(file);
    ASSERT_TRUE(read.ok()) << read.error().describe();
    EXPECT_EQ(read.value().images[0].width, 256);
    EXPECT_EQ(pixel(read.value().images[0], 255, 0), (Rgba{255, 255, 255, 255}));
}

// Offsets into twoByTwo(): directory 0, entry 6, image 22, palette 62, colour rows 70.
const Damage kDamage[] = {
    {"reserved", [](Bytes& b) { b.setU16(0, 1); }, ReadErrorCode::IcoBadDirectory, 0, 0},
    {"cursor", [](Bytes& b) { b.setU16(2, 2); }, ReadErrorCode::IcoBadDirectory, 0, 0},
    {"no images", [](Bytes& b) { b.setU16(4, 0); }, ReadErrorCode::IcoNoImages, 4, 0},
    {"more entries than fit", [](Bytes& b) { b.setU16(4, 6); }, ReadErrorCode::IcoDirectoryCut, 86,
     86},
    {"image offset past the end", [](Bytes& b) { b.setU32(18, 87); },
     ReadErrorCode::IcoEntryOutsideFile, 14, 64},
    {"image longer than the file", [](Bytes& b) { b.setU32(14, 65); },
     ReadErrorCode::IcoEntryOutsideFile, 14, 65},
    {"image length wraps", [](Bytes& b) { b.setU32(14, 0xFFFFFFF0); },
     ReadErrorCode::IcoEntryOutsideFile, 14, 0xFFFFFFF0LL},
    {"image shorter than its pixels", [](Bytes& b) { b.setU32(14, 63); },
     ReadErrorCode::IcoImagePastEntry, 22, 64},
    {"image shorter than its header", [](Bytes& b) { b.setU32(14, 39); },
     ReadErrorCode::IcoImagePastEntry, 22, 40},
    {"PNG", [](Bytes& b) { b.setU32(22, 0x474E5089); }, ReadErrorCode::IcoPngImage, 22, 0},
    {"header size", [](Bytes& b) { b.setU32(22, 12); }, ReadErrorCode::IcoBadImageHeader, 22, 12},
    {"width 0", [](Bytes& b) { b.setU32(26, 0); }, ReadErrorCode::IcoBadSize, 26, 0},
    {"width 257", [](Bytes& b) { b.setU32(26, 257); }, ReadErrorCode::IcoBadSize, 26, 257},
    {"height odd", [](Bytes& b) { b.setU32(30, 3); }, ReadErrorCode::IcoBadSize, 30, 3},
    {"height 0", [](Bytes& b) { b.setU32(30, 0); }, ReadErrorCode::IcoBadSize, 30, 0},
    {"height negative", [](Bytes& b) { b.setU32(30, static_cast<std::uint32_t>(-4)); },
     ReadErrorCode::IcoBadSize, 30, -4},
    {"height 2 × 257", [](Bytes& b) { b.setU32(30, 514); }, ReadErrorCode::IcoBadSize, 30, 514},
    {"2 bits", [](Bytes& b) { b.setU16(36, 2); }, ReadErrorCode::IcoUnsupportedBitDepth, 36, 2},
    {"16 bits", [](Bytes& b) { b.setU16(36, 16); }, ReadErrorCode::IcoUnsupportedBitDepth, 36, 16},
    {"compressed", [](Bytes& b) { b.setU32(38, 1); }, ReadErrorCode::IcoUnsupportedCompression, 38,
     1},
    {"palette of one colour used by both pixels", [](Bytes& b) { b.setU32(54, 1); },
     // With one palette entry the colour rows start 4 bytes earlier, at 66, where the second
     // palette entry (FF FF FF 00) lies: the first pixel has index 1, beyond a palette of one.
     ReadErrorCode::IcoBadColourIndex, 66, 1},
};

TEST(ReadIco, RefusesDamagedFilesNamingTheField) {
    expectEveryDamageRefused(kDamage, twoByTwo(), [](auto file) { return readIco(file); });
}

TEST(ReadIco, EveryCutFileIsRefused) {
    expectEveryCutFails(twoByTwo(), readIco);
    expectEveryCutFails(sampleIco(), readIco);
}

} // namespace
} // namespace kt::test
