#include "app/program_description.h"
#include "runtime/runtime_error.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

// The program's keys against the tests' own right answers, worked out from the questions: a key
// that makes another option right fails here, and every test that answers fails with it.
TEST(AnswerCheck, TheKeysMakeRightTheAnswersTheQuestionsMakeRight) {
    for (int window = 1; window <= 10; ++window) {
        const ControlId right = rightOption(window);
        SCOPED_TRACE("Form" + std::to_string(window) + " " + std::string(controlName(right)));
        const ControlDescription* option = descriptionOf(formNumber(window)).control(right);
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->accessibleName, kRightChoices[static_cast<std::size_t>(window - 1)])
            << "the right answer is not the option in front of its letter";
        for (std::size_t k = 0; k < kAllOptions.size(); ++k)
            EXPECT_EQ(answerKeyOf(formNumber(window)).options[k].right, kAllOptions[k] == right)
                << controlName(kAllOptions[k]);
    }
}

TEST(AnswerCheck, EveryOptionOfEveryWindowDoesWhatTheQuestionSays) {
    for (int window = 1; window <= 10; ++window) {
        const AnswerKey& key = answerKeyOf(formNumber(window));
        for (int option = 0; option < 3; ++option) {
            const ControlId id = kAllOptions[static_cast<std::size_t>(option)];
            SCOPED_TRACE("Form" + std::to_string(window) + " " + std::string(controlName(id)));
            TestProgram t;
            for (int n = 1; n < window; ++n)
                t.answerRight(n);
            t.click(window, id);

            const OptionAction& action = key.options[static_cast<std::size_t>(option)];
            if (id == rightOption(window)) {
                EXPECT_EQ(t.slot(window)->Caption(ControlId::Label2), " 0");
                EXPECT_FALSE(t.window(window).isVisible());
                ASSERT_NE(t.slot(window + 1), nullptr);
                EXPECT_TRUE(t.window(window + 1).isVisible());
                EXPECT_EQ(t.question(window).WrongCount, 0);
            } else {
                EXPECT_EQ(t.slot(window)->Caption(ControlId::Label2), action.mark);
                EXPECT_TRUE(t.window(window).isVisible());
                EXPECT_EQ(t.slot(window + 1), nullptr) << "a wrong answer moved on";
                EXPECT_EQ(t.question(window).WrongCount, 1);
            }
        }
    }
}

TEST(AnswerCheck, AClickWithNoOptionChosenChangesNothing) {
    TestProgram t;
    t.window(1).clickCommand1();
    t.window(1).clickCommand1();
    EXPECT_EQ(t.slot(1)->Caption(ControlId::Label2), "");
    EXPECT_EQ(t.question(1).WrongCount, 0);
    EXPECT_TRUE(t.window(1).isVisible());
    EXPECT_EQ(t.slot(2), nullptr);
}

TEST(AnswerCheck, EveryWrongClickCountsAndTheRightOneWritesTheCount) {
    TestProgram t;
    t.click(1, ControlId::Option1);
    EXPECT_EQ(t.slot(1)->Caption(ControlId::Label2), "???");
    t.click(1, ControlId::Option2);
    EXPECT_EQ(t.slot(1)->Caption(ControlId::Label2), "?") << "each mark replaces the one before";
    t.click(1, ControlId::Option2);
    EXPECT_EQ(t.question(1).WrongCount, 3) << "the same wrong option counts again";
    t.answerRight(1);
    EXPECT_EQ(t.slot(1)->Caption(ControlId::Label2), " 3");
    EXPECT_FALSE(t.window(1).isVisible());
    EXPECT_EQ(t.question(2).WrongCount, 0) << "the next window starts its own count";
    EXPECT_EQ(t.slot(2)->Caption(ControlId::Label2), "");
}

TEST(AnswerCheck, TheNextWindowIsShownBeforeThisOneIsHidden) {
    TestProgram t;
    t.answerRight(1);
    // The headless screen counts shows; the hide came after Form2 was shown once.
    EXPECT_EQ(t.window(2).showCount(), 1);
    EXPECT_TRUE(t.window(2).isVisible());
    EXPECT_FALSE(t.window(1).isVisible());
}

TEST(AnswerCheck, TheCounterHolds32767AndTheNextWrongClickRaisesOverflow) {
    TestProgram t;
    t.answerRight(1);
    t.window(2).choose(ControlId::Option2);
    for (int i = 0; i < 32767; ++i)
        t.window(2).clickCommand1();
    ASSERT_EQ(t.question(2).WrongCount, 32767);
    ASSERT_FALSE(t.program.ended());
    ASSERT_TRUE(t.screen.errors().empty());

    // Everything the pupil could see, before and after the click that overflows.
    auto state = [&t] {
        std::vector<std::string> seen;
        for (int n = 1; n <= 11; ++n)
            if (HeadlessWindow* w = t.screen.window(formNumber(n)))
                seen.push_back(std::to_string(n) + (w->isVisible() ? " shown " : " hidden ") +
                               w->caption(ControlId::Label2));
        return seen;
    };
    const auto before = state();
    t.window(2).clickCommand1();
    EXPECT_EQ(t.screen.errors(), std::vector<std::string>{"Переполнение"});
    EXPECT_EQ(t.screen.exitCode(), 1);
    EXPECT_TRUE(t.program.ended());
    EXPECT_EQ(t.question(2).WrongCount, 32767) << "the count must stay unchanged";
    EXPECT_EQ(state(), before) << "a window changed besides the error";
    EXPECT_EQ(t.slot(3), nullptr);

    t.click(2, ControlId::Option1);
    EXPECT_EQ(t.slot(3), nullptr) << "a handler ran after the program ended";
}

} // namespace
} // namespace kt::test
