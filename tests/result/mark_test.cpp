#include "runtime/runtime_error.h"
#include "runtime/runtime_numbers.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

struct MarkRow {
    int total;
    const char* caption;
};
// The school's mark sheet: 0 wrong gives 5, then one less for every further four.
const MarkRow kMarks[] = {{0, " 5"},  {1, " 4"},  {4, " 4"},  {5, " 3"},  {8, " 3"},  {9, " 2"},
                          {12, " 2"}, {13, " 1"}, {16, " 1"}, {17, " 0"}, {20, " 0"}, {23, " 0"},
                          {24, "-1"}, {27, "-1"}, {28, "-2"}, {31, "-2"}, {32, "-3"}};

// Spreads `total` wrong clicks over the ten windows, more in the later ones.
void takeTheTest(TestProgram& t, int total) {
    for (int n = 1; n <= 10; ++n) {
        const int wrong = total / 10 + (n > 10 - total % 10 ? 1 : 0);
        for (int i = 0; i < wrong; ++i)
            t.click(n, wrongOption(n));
        t.answerRight(n);
    }
}

TEST(Mark, FollowsTheSheetForEveryTotal) {
    for (const auto& row : kMarks) {
        SCOPED_TRACE("total " + std::to_string(row.total));
        TestProgram t;
        takeTheTest(t, row.total);
        ASSERT_NE(t.slot(11), nullptr);
        EXPECT_TRUE(t.window(11).isVisible());
        EXPECT_FALSE(t.window(10).isVisible());
        EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), row.caption);
        EXPECT_DOUBLE_EQ(t.result().Total, row.total);
    }
}

TEST(Mark, DoesNotDependOnWhereTheWrongClicksWere) {
    for (int where = 1; where <= 10; ++where) {
        TestProgram t;
        for (int n = 1; n <= 10; ++n) {
            if (n == where)
                for (int i = 0; i < 9; ++i)
                    t.click(n, wrongOption(n));
            t.answerRight(n);
        }
        EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), " 2")
            << "nine wrong clicks in window " << where;
    }
}

TEST(Mark, MarkForCutsTheQuotientTowardZero) {
    for (const auto& row : kMarks)
        EXPECT_EQ(signedNumberText(markFor(row.total)), row.caption) << row.total;
    // 20 - total is rounded half to even before the division.
    EXPECT_EQ(markFor(17.5), 0); // 2.5 -> 2 -> 0
    EXPECT_EQ(markFor(16.5), 1); // 3.5 -> 4 -> 1
    EXPECT_EQ(markFor(21), 0);   // -1 / 4 is cut to 0, not floored to -1
    EXPECT_EQ(markFor(25), -1);  // -5 / 4 -> -1
}

// Captions are read back as numbers; what is not a number counts as 0.
TEST(Mark, CaptionsThatAreNotNumbersCountAsZero) {
    TestProgram t;
    for (int n = 1; n <= 10; ++n)
        t.program.name(formNumber(n));
    const char* captions[10] = {"???", "?", "", " 3", "abc", " 1", "-", " 0", "?", " 4"};
    for (int n = 1; n <= 10; ++n)
        t.slot(n)->setCaption(ControlId::Label2, captions[n - 1]);
    t.program.name(FormId::Form11).Show();
    EXPECT_DOUBLE_EQ(t.result().Total, 8);
    EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), " 3");
}

TEST(Mark, TheTenthCountIsRoundedHalfToEven) {
    struct Row {
        const char* caption;
        int score10;
        const char* mark;
    };
    // The other nine are 0, so the mark is (20 - Score10) \ 4.
    const Row rows[] = {{" 2.5", 2, " 4"}, {" 3.5", 4, " 4"}, {" 4.5", 4, " 4"},
                        {" 0.5", 0, " 5"}, {" 1.5", 2, " 4"}, {" 20.5", 20, " 0"}};
    for (const auto& row : rows) {
        TestProgram t;
        for (int n = 1; n <= 10; ++n)
            t.program.name(formNumber(n));
        t.slot(10)->setCaption(ControlId::Label2, row.caption);
        t.program.name(FormId::Form11).Show();
        EXPECT_EQ(t.result().Score10, row.score10) << row.caption;
        EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), row.mark) << row.caption;
    }
}

TEST(Mark, TheNinthCountIsNotRounded) {
    TestProgram t;
    t.program.name(FormId::Form9).setCaption(ControlId::Label2, " 2.5");
    t.program.name(FormId::Form11).Show();
    EXPECT_DOUBLE_EQ(t.result().Score[8], 2.5);
    EXPECT_DOUBLE_EQ(t.result().Total, 2.5);
    EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), " 4"); // (20 - 2.5) = 17.5 -> 18 -> 4
}

TEST(Mark, ATenthCountOutsideSixteenBitsRaisesOverflow) {
    for (const char* caption : {" 32768", "-32769", " 99999999999"}) {
        TestProgram t;
        t.program.name(FormId::Form10).setCaption(ControlId::Label2, caption);
        // Outside a click handler nothing reports the error, so it reaches the test.
        EXPECT_THROW(t.program.name(FormId::Form11).Show(), RuntimeError) << caption;
        EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), "") << "a mark was written after all";
    }
    TestProgram fits;
    fits.program.name(FormId::Form10).setCaption(ControlId::Label2, " 32767");
    fits.program.name(FormId::Form11).Show();
    EXPECT_TRUE(fits.screen.errors().empty());
    EXPECT_EQ(fits.slot(11)->Caption(ControlId::Label2),
              "-8186"); // (20 - 32767) \ 4, cut toward zero
}

TEST(Mark, ExitEndsTheProgramWithCodeZero) {
    TestProgram t;
    takeTheTest(t, 0);
    EXPECT_EQ(t.slot(11)->Caption(ControlId::Label2), " 5");
    EXPECT_FALSE(t.screen.exitCode().has_value());
    t.window(11).clickCommand1();
    EXPECT_TRUE(t.program.ended());
    EXPECT_EQ(t.screen.exitCode(), 0);
}

} // namespace
} // namespace kt::test
