#include "assets/read_result.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kt::test {
namespace {

TEST(ReadError, DescribeNamesPictureStructureOffsetAndFault) {
    const ReadError error = readError(ReadErrorCode::EmfSizeNotMultipleOf4, 1234, 13);
    EXPECT_EQ(error.describe("Form4.Picture1"),
              "Form4.Picture1: EMF record at offset 1234: size 13 is not a multiple of 4");
    EXPECT_EQ(error.describe(), "EMF record at offset 1234: size 13 is not a multiple of 4");
}

TEST(ReadError, DescribeUsesTheNameTheErrorCarries) {
    ReadError error = readError(ReadErrorCode::BmpBadPlanes, 26, 2);
    error.pictureName = "Form1.Picture2";
    EXPECT_EQ(error.describe(), "Form1.Picture2: BMP file at offset 26: plane count 2 is not 1");
}

TEST(ReadError, MessagesWithoutAValueIgnoreIt) {
    EXPECT_EQ(readError(ReadErrorCode::RecordBadMarker, 4, 99).message(),
              "kind marker is not \"lt\" and two zero bytes");
}

TEST(ReadError, NegativeValuesKeepTheirSign) {
    EXPECT_EQ(readError(ReadErrorCode::EmfBadRestore, 0, -3).message(),
              "EMR_RESTOREDC -3 names no saved state");
}

// Each code must read differently, or a user could not tell two faults apart.
TEST(ReadError, EveryCodeHasItsOwnText) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < kReadErrorCodeCount; ++i) {
        const auto code = static_cast<ReadErrorCode>(i);
        const ReadErrorText text = readErrorText(code);
        EXPECT_FALSE(text.where.empty()) << i;
        EXPECT_FALSE(text.message.empty()) << i;
        EXPECT_TRUE(seen.insert(std::string(text.where) + ": " + std::string(text.message)).second)
            << "code " << i << " repeats " << text.message;
    }
}

TEST(Result, HoldsEitherAValueOrAnError) {
    const Result<int> good(7);
    ASSERT_TRUE(good.ok());
    EXPECT_TRUE(static_cast<bool>(good));
    EXPECT_EQ(good.value(), 7);

    const Result<int> bad(readError(ReadErrorCode::EmfMissingHeader, 4));
    ASSERT_FALSE(bad.ok());
    EXPECT_FALSE(static_cast<bool>(bad));
    EXPECT_EQ(bad.error().code, ReadErrorCode::EmfMissingHeader);
    EXPECT_EQ(bad.error().offset, 4u);
}

TEST(Result, ValueOfATemporaryIsMovedOut) {
    const std::string text = Result<std::string>(std::string(100, 'x')).value();
    EXPECT_EQ(text, std::string(100, 'x'));
}

} // namespace
} // namespace kt::test
