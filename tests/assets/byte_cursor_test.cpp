#include "assets/byte_cursor.h"

#include <gtest/gtest.h>

#include <array>

namespace kt::test {
namespace {

constexpr std::array<std::byte, 7> kBytes{std::byte{0x01}, std::byte{0x02}, std::byte{0x03},
                                          std::byte{0x04}, std::byte{0xFE}, std::byte{0xFF},
                                          std::byte{0xFF}};

TEST(ByteCursor, ReadsLittleEndian) {
    ByteCursor in(kBytes);
    EXPECT_EQ(in.u8(), 0x01u);
    EXPECT_EQ(in.u16(), 0x0302u);
    EXPECT_EQ(in.u32(), 0xFFFFFE04u);
    EXPECT_EQ(in.offset(), 7u);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_FALSE(in.failed());
}

TEST(ByteCursor, SignedReadKeepsTheSign) {
    ByteCursor in(kBytes);
    in.skip(3);
    EXPECT_EQ(in.i32(), -508); // 04 FE FF FF: 0xFFFFFE04
}

TEST(ByteCursor, ReadPastTheEndYieldsZeroAndStaysFailed) {
    ByteCursor in(kBytes);
    in.skip(5);
    EXPECT_EQ(in.u32(), 0u);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.failedAt(), 5u);
    EXPECT_EQ(in.offset(), 5u); // the failed read did not move
    // Two bytes are left, but a failed cursor gives nothing more.
    EXPECT_EQ(in.u16(), 0u);
    EXPECT_EQ(in.failedAt(), 5u);
}

TEST(ByteCursor, OffsetsCountFromTheBase) {
    ByteCursor in{std::span(kBytes).subspan(2), 100};
    EXPECT_EQ(in.offset(), 100u);
    EXPECT_EQ(in.u16(), 0x0403u);
    EXPECT_EQ(in.offset(), 102u);
    in.u32();
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.failedAt(), 102u);
}

TEST(ByteCursor, SeekWithinAndBeyond) {
    ByteCursor in(kBytes);
    in.seek(7); // to the very end is allowed
    EXPECT_FALSE(in.failed());
    in.seek(1);
    EXPECT_EQ(in.u8(), 0x02u);
    in.seek(8);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.failedAt(), 8u);
}

TEST(ByteCursor, BytesGivesASpanOrNothing) {
    ByteCursor in(kBytes);
    const auto first = in.bytes(3);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first.data(), kBytes.data());
    EXPECT_TRUE(in.bytes(5).empty());
    EXPECT_TRUE(in.failed());
}

TEST(ByteCursor, EmptyRangeFailsAtOnce) {
    ByteCursor in(std::span<const std::byte>{});
    EXPECT_EQ(in.u8(), 0u);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.failedAt(), 0u);
}

} // namespace
} // namespace kt::test
