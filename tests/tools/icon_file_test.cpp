// The committed icon holds three images in the classic icon form; what they show is checked
// through Qt's reader (tests/ui/icon_test.cpp).

#include "tools/committed_pictures.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

struct Entry {
    int size, colours, bits;
    std::uint32_t bytes;
};

// 32×32 two colours, 32×32 and 16×16 in the 16 VGA colours, each with its mask.
constexpr Entry kEntries[] = {{32, 2, 1, 304}, {32, 16, 4, 744}, {16, 16, 4, 296}};

int u8(const std::vector<std::byte>& b, std::size_t at) {
    return std::to_integer<int>(b.at(at));
}

TEST(IconFile, DirectoryListsTheThreeImages) {
    const auto b = assetFile("icon/kinematics-test.ico");
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(u32At(b, 0), 0x00010000u) << "reserved 0, type 1 (icon)";
    EXPECT_EQ(u8(b, 4), 3);
    std::uint32_t offset = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t e = 6 + 16 * i;
        EXPECT_EQ(u8(b, e), kEntries[i].size);
        EXPECT_EQ(u8(b, e + 1), kEntries[i].size);
        EXPECT_EQ(u8(b, e + 2), kEntries[i].colours);
        EXPECT_EQ(u8(b, e + 4), 1) << "planes";
        EXPECT_EQ(u8(b, e + 6), kEntries[i].bits);
        EXPECT_EQ(u32At(b, e + 8), kEntries[i].bytes);
        EXPECT_EQ(u32At(b, e + 12), offset);
        EXPECT_EQ(u32At(b, offset + 8), 2u * static_cast<std::uint32_t>(kEntries[i].size))
            << "height doubled for the mask";
        offset += kEntries[i].bytes;
    }
    EXPECT_EQ(b.size(), offset);
}

} // namespace
} // namespace kt::test
