// The committed icon: three images of a window seen at a slant, in the classic icon form.

#include "assets/icon.h"
#include "tools/committed_pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace kt::test {
namespace {

struct Entry {
    int size, colours, bits;
    std::uint32_t bytes;
};

// 32×32 two colours, 32×32 and 16×16 in the 16 VGA colours, each with its mask.
constexpr Entry kEntries[] = {{32, 2, 1, 304}, {32, 16, 4, 744}, {16, 16, 4, 296}};

std::uint32_t u32(const std::vector<std::byte>& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= std::to_integer<std::uint32_t>(b.at(at + i)) << (8 * i);
    return v;
}

int u8(const std::vector<std::byte>& b, std::size_t at) {
    return std::to_integer<int>(b.at(at));
}

TEST(IconFile, DirectoryListsTheThreeImages) {
    const auto b = assetFile("icon/kinematics-test.ico");
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(u32(b, 0), 0x00010000u) << "reserved 0, type 1 (icon)";
    EXPECT_EQ(u8(b, 4), 3);
    std::uint32_t offset = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t e = 6 + 16 * i;
        EXPECT_EQ(u8(b, e), kEntries[i].size);
        EXPECT_EQ(u8(b, e + 1), kEntries[i].size);
        EXPECT_EQ(u8(b, e + 2), kEntries[i].colours);
        EXPECT_EQ(u8(b, e + 4), 1) << "planes";
        EXPECT_EQ(u8(b, e + 6), kEntries[i].bits);
        EXPECT_EQ(u32(b, e + 8), kEntries[i].bytes);
        EXPECT_EQ(u32(b, e + 12), offset);
        EXPECT_EQ(u32(b, offset + 8), 2u * static_cast<std::uint32_t>(kEntries[i].size))
            << "height doubled for the mask";
        offset += kEntries[i].bytes;
    }
    EXPECT_EQ(b.size(), offset);
}

struct Pixel {
    std::uint8_t r, g, b, a;
};

Pixel at(const kt::IconImage& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[4 * static_cast<std::size_t>(y * image.width + x)];
    return {p[0], p[1], p[2], p[3]};
}

// The mean position of the opaque pixels of one colour.
struct Centre {
    double x = 0, y = 0;
    int count = 0;
};

Centre centreOf(const kt::IconImage& image, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Centre c;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Pixel p = at(image, x, y);
            if (p.a == 255 && p.r == r && p.g == g && p.b == b) {
                c.x += x;
                c.y += y;
                ++c.count;
            }
        }
    if (c.count > 0) {
        c.x /= c.count;
        c.y /= c.count;
    }
    return c;
}

TEST(IconFile, ShowsAWindowWithTitleBarAndShadow) {
    const auto read = readIco(assetFile("icon/kinematics-test.ico"));
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto& images = read.value().images;
    ASSERT_EQ(images.size(), 3u);

    for (std::size_t i = 0; i < 3; ++i) {
        const kt::IconImage& image = images[i];
        SCOPED_TRACE("image " + std::to_string(i + 1));
        ASSERT_EQ(image.width, kEntries[i].size);
        for (auto [x, y] :
             {std::pair{0, 0}, std::pair{image.width - 1, 0}, std::pair{0, image.height - 1}})
            EXPECT_EQ(at(image, x, y).a, 0) << "corner " << x << "," << y << " is transparent";

        std::set<std::tuple<int, int, int>> colours;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const Pixel p = at(image, x, y);
                EXPECT_TRUE(p.a == 0 || p.a == 255);
                if (p.a == 255)
                    colours.insert({p.r, p.g, p.b});
            }

        const Centre black = centreOf(image, 0, 0, 0);
        const Centre white = centreOf(image, 255, 255, 255);
        EXPECT_GT(black.count, 0) << "outline";
        EXPECT_GT(white.count, 0) << "client area";
        if (kEntries[i].bits == 1) {
            EXPECT_EQ(colours.size(), 2u) << "black and white only";
            continue;
        }
        EXPECT_EQ(colours, (std::set<std::tuple<int, int, int>>{
                               {0, 0, 0}, {255, 255, 255}, {0, 255, 255}, {128, 128, 128}}));
        const Centre cyan = centreOf(image, 0, 255, 255);
        const Centre grey = centreOf(image, 128, 128, 128);
        EXPECT_LT(cyan.y, white.y) << "the title bar runs along the top";
        EXPECT_GT(grey.x, white.x) << "the shadow falls to the right";
        EXPECT_GT(grey.y, white.y) << "and below";
    }
}

} // namespace
} // namespace kt::test
