#include "support/test_program.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

TEST(Registry, StartUpLoadsAndShowsOnlyForm1) {
    TestProgram t;
    EXPECT_EQ(t.screen.buildOrder(), std::vector<FormId>{FormId::Form1});
    ASSERT_NE(t.slot(1), nullptr);
    EXPECT_TRUE(t.slot(1)->isLoaded());
    EXPECT_TRUE(t.window(1).isVisible());
    for (int n = 2; n <= 11; ++n)
        EXPECT_EQ(t.slot(n), nullptr) << "Form" << n << " should still be an empty slot";
    EXPECT_FALSE(t.program.ended());
}

TEST(Registry, NamingCreatesWithoutLoading) {
    TestProgram t;
    Form& form3 = t.program.name(FormId::Form3);
    EXPECT_FALSE(form3.isLoaded());
    EXPECT_EQ(t.screen.window(FormId::Form3), nullptr);
    EXPECT_EQ(&form3, t.slot(3));
}

TEST(Registry, NamingAHiddenWindowAgainGivesTheSameInstanceWithItsState) {
    TestProgram t;
    t.click(1, wrongOption(1));
    t.click(1, wrongOption(1));
    t.answerRight(1);
    ASSERT_FALSE(t.window(1).isVisible());

    Form& again = t.program.name(FormId::Form1);
    EXPECT_EQ(&again, t.slot(1));
    EXPECT_EQ(t.question(1).WrongCount, 2);
    EXPECT_EQ(again.Caption(ControlId::Label2), " 2");
}

TEST(Registry, ShowingALoadedWindowDoesNotRunFormLoadAgain) {
    TestProgram t;
    t.click(1, wrongOption(1));
    ASSERT_EQ(t.question(1).WrongCount, 1);
    t.slot(1)->Show();
    EXPECT_EQ(t.window(1).showCount(), 2);
    EXPECT_EQ(t.question(1).WrongCount, 1) << "Form_Load ran a second time";
    EXPECT_EQ(t.screen.buildOrder().size(), 1u) << "the window was built a second time";
}

TEST(Registry, ReadingAControlLoadsACreatedWindow) {
    TestProgram t;
    Form& form5 = t.program.name(FormId::Form5);
    EXPECT_EQ(form5.Caption(ControlId::Label2), "");
    EXPECT_TRUE(form5.isLoaded());
    EXPECT_FALSE(form5.Visible()) << "loading must not show the window";
}

TEST(Registry, AfterEndNoEventReachesAHandler) {
    TestProgram t;
    for (int n = 1; n <= 10; ++n)
        t.answerRight(n);
    ASSERT_TRUE(t.window(11).isVisible());
    t.window(11).clickCommand1();
    EXPECT_TRUE(t.program.ended());
    EXPECT_EQ(t.screen.exitCode(), 0);

    // Events that were already queued are dropped.
    t.slot(10)->setCaption(ControlId::Label2, "");
    t.click(10, ControlId::Option2);
    EXPECT_EQ(t.slot(10)->Caption(ControlId::Label2), "");
    EXPECT_EQ(t.question(10).WrongCount, 0);
}

TEST(Registry, ClosingTheVisibleWindowEndsTheProgram) {
    for (int at = 1; at <= 11; ++at) {
        TestProgram t;
        for (int n = 1; n < at; ++n)
            t.answerRight(n);
        ASSERT_TRUE(t.window(at).isVisible());
        t.window(at).close();
        EXPECT_TRUE(t.program.ended()) << "closing window " << at;
        EXPECT_EQ(t.screen.exitCode(), 0) << "closing window " << at;
        EXPECT_TRUE(t.screen.errors().empty());
    }
}

} // namespace
} // namespace kt::test
