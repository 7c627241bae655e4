#include "runtime/runtime_error.h"
#include "runtime/runtime_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kt {
namespace {

TEST(SignedNumberText, BlankForZeroAndPositiveMinusForNegative) {
    struct Row {
        std::int64_t value;
        const char* text;
    };
    const Row rows[] = {
        {0, " 0"},     {5, " 5"},
        {17, " 17"},   {32767, " 32767"},
        {-1, "-1"},    {-20, "-20"},
        {100, " 100"}, {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(signedNumberText(row.value), row.text) << row.value;
}

TEST(NumericPrefixParse, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {" 17", 17},   {" 0", 0},   {"-3", -3},     {"+2", 2},     {"   4", 4},
        {"???", 0},    {"?", 0},    {"", 0},        {" ", 0},      {"-", 0},
        {"4.5x", 4.5}, {".5", 0.5}, {"1.2.3", 1.2}, {"12abc", 12}, {"1 2", 1},
        {"007", 7},    {"3.", 3},   {"- 3", 0},     {"\t5", 0},    {"2e3", 2},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(numericPrefixParse(row.text), row.value) << '"' << row.text << '"';
}

TEST(NumericPrefixParse, HugeAndTinyNumbersDoNotWrap) {
    EXPECT_TRUE(std::isinf(numericPrefixParse(" " + std::string(400, '9'))));
    EXPECT_EQ(numericPrefixParse("0." + std::string(400, '0') + "1"), 0.0);
}

// The desktop and the browser build convert with different C libraries; both must give the
// nearest double, ties to the even one, down to the subnormals.
TEST(NumericPrefixParse, RoundsToTheNearestDoubleOnEveryBuild) {
    struct Row {
        std::string text;
        double value;
    };
    const Row rows[] = {
        {"0.1", 0.1},
        {"9007199254740993", 9007199254740992.0}, // halfway: to the even neighbour below
        {"9007199254740995", 9007199254740996.0}, // halfway: to the even neighbour above
        {"1.00000000000000011102230246251565404236316680908203125", 1.0},
        {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
        {"179769313486231580793728971405303415079934132710037826936173778980444968292764750946649"
         "017977587207096330286416692887910946555547851940402630657488671505820681908902000708383"
         "676273854845817711531764475730270069855571366959622842914819860834936475292719074168444"
         "365510704342711559699508093042880177904174497792",
         std::numeric_limits<double>::infinity()}, // halfway between the largest and 2^1024
        {"179769313486231580793728971405303415079934132710037826936173778980444968292764750946649"
         "017977587207096330286416692887910946555547851940402630657488671505820681908902000708383"
         "676273854845817711531764475730270069855571366959622842914819860834936475292719074168444"
         "365510704342711559699508093042880177904174497791",
         std::numeric_limits<double>::max()},         // just below: the largest
        {"0." + std::string(310, '0') + "1", 1e-311}, // subnormal
    };
    for (const auto& row : rows)
        EXPECT_EQ(numericPrefixParse(row.text), row.value) << row.text.substr(0, 40);
}

TEST(Rounding, HalfGoesToTheEvenNeighbour) {
    struct Row {
        double value;
        std::int16_t rounded;
    };
    const Row rows[] = {{0.5, 0},  {1.5, 2},         {2.5, 2},          {3.5, 4},
                        {-0.5, 0}, {-1.5, -2},       {-2.5, -2},        {2.49, 2},
                        {2.51, 3}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& row : rows)
        EXPECT_EQ(roundToInt16(row.value), row.rounded) << row.value;
    EXPECT_EQ(roundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(roundToInt32(-4.5), -4);
}

TEST(Rounding, OutsideTheRangeRaisesOverflow) {
    for (double value : {32767.5, 32768.0, -32768.6, 1e300, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(roundToInt16(value), RuntimeError) << value;
    EXPECT_THROW(roundToInt32(2147483647.5), RuntimeError);
}

TEST(AddInt16, OverflowLeavesNoResult) {
    EXPECT_EQ(addInt16(32766, 1), 32767);
    EXPECT_EQ(addInt16(-32767, -1), -32768);
    try {
        (void)addInt16(32767, 1);
        FAIL() << "32767 + 1 must overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(error.text(), "Переполнение");
    }
}

} // namespace
} // namespace kt
