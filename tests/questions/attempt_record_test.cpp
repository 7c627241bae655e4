#include "support/test_program.h"

#include <gtest/gtest.h>

#include <variant>

namespace kt::test {
namespace {

// Keeps what the program tells, and the choices as the page keeps them.
struct Recorder final : AttemptReporter {
    std::vector<std::string> told;
    ChoiceRecord choices;

    void started() override { told.push_back("started"); }
    void tried(const AnswerTry& t) override {
        told.push_back("Form" + std::to_string(indexOf(t.form) + 1) + " option " +
                       std::to_string(t.option + 1) + (t.right ? " right" : " wrong") + " (right " +
                       std::to_string(t.rightOption + 1) + ")");
        choices.add(t.option, t.right);
    }
    void resultShown(std::int32_t mark, double total) override {
        told.push_back("mark " + std::to_string(mark) + " of " + std::to_string(int(total)));
    }
    void ended() override { told.push_back("ended"); }
};

int optionIndex(ControlId option) {
    return static_cast<int>(option) - static_cast<int>(ControlId::Option1);
}

// The wrong option that wrongOption is not.
ControlId otherWrongOption(int n) {
    for (const ControlId option : kAllOptions)
        if (option != rightOption(n) && option != wrongOption(n))
            return option;
    return wrongOption(n);
}

ChoiceRecord readBack(const std::string& text) {
    auto read = ChoiceRecord::read(text);
    EXPECT_TRUE(std::holds_alternative<ChoiceRecord>(read)) << text;
    return std::holds_alternative<ChoiceRecord>(read) ? std::get<ChoiceRecord>(read)
                                                      : ChoiceRecord{};
}

TEST(AttemptRecord, TheProgramTellsEveryTryTheMarkAndTheEnd) {
    Recorder r;
    TestProgram t(r, {});
    t.click(1, ControlId::Option1);
    t.click(1, ControlId::Option3);
    for (int n = 2; n <= 10; ++n)
        t.answerRight(n);
    t.window(11).clickCommand1();
    ASSERT_EQ(r.told.size(), 14u);
    EXPECT_EQ(r.told[0], "started");
    EXPECT_EQ(r.told[1], "Form1 option 1 wrong (right 3)");
    EXPECT_EQ(r.told[2], "Form1 option 3 right (right 3)");
    EXPECT_EQ(r.told[11], "Form10 option 1 right (right 1)");
    EXPECT_EQ(r.told[12], "mark 4 of 1");
    EXPECT_EQ(r.told[13], "ended");
}

// In each window a few wrong tries, alternating, then the right one: in the order the record
// keeps them, the later wrong option last.
TEST(AttemptRecord, AWindowsWrongTriesKeepTheirCountsAndTheLastOption) {
    ChoiceRecord record;
    for (const int option : {0, 1, 0, 1, 1, 0})
        record.add(option, false);
    record.add(2, true);
    record.add(1, false);
    EXPECT_EQ(record.text(), "3b3acb");
}

TEST(AttemptRecord, EvenCountsAtTheCountersLimitFitSuspendData) {
    ChoiceRecord record;
    for (int n = 1; n <= 10; ++n) {
        const int right = optionIndex(rightOption(n));
        for (int i = 0; i < 32767; ++i)
            record.add(optionIndex(i % 2 ? wrongOption(n) : otherWrongOption(n)), false);
        record.add(right, true);
    }
    EXPECT_LE(record.text().size(), 4096u);
    EXPECT_EQ(readBack(record.text()).runs(), record.runs());
}

struct Damaged {
    const char* text;
    std::size_t offset;
    const char* message;
};
const Damaged kDamaged[] = {
    {"d", 0, "an option other than a, b or c"},
    {"c12", 3, "an option other than a, b or c"},
    {"c03a", 1, "a count starts with 0"},
    {"32768a", 0, "a count beyond 32767"},
    {"2c", 0, "a right answer counted more than once"},
    {"32767ab", 6, "more wrong tries in one window than its counter holds"},
    {"cabaabaccaa", 10, "a choice after the last question"},
};

TEST(AttemptRecord, DamagedTextIsRefusedWhereItStopsMakingSense) {
    for (const auto& row : kDamaged) {
        SCOPED_TRACE(row.text);
        auto read = ChoiceRecord::read(row.text);
        ASSERT_TRUE(std::holds_alternative<ChoiceRecord::Fault>(read));
        EXPECT_EQ(std::get<ChoiceRecord::Fault>(read).offset, row.offset);
        EXPECT_EQ(std::get<ChoiceRecord::Fault>(read).message, row.message);
    }
}

// An attempt left at question 6 after wrong tries and replayed from its record continues as the
// unbroken one: the same window, the same counts and captions, and at the end the same mark.
TEST(AttemptRecord, AReplayedAttemptContinuesAsTheUnbrokenOne) {
    Recorder first;
    TestProgram unbroken(first, {});
    for (int n = 1; n <= 5; ++n) {
        for (int i = 0; i < n; ++i)
            unbroken.click(n, i % 2 ? wrongOption(n) : otherWrongOption(n));
        unbroken.answerRight(n);
    }
    unbroken.click(6, wrongOption(6));
    unbroken.click(6, wrongOption(6));

    Recorder second;
    TestProgram resumed(second, readBack(first.choices.text()));
    EXPECT_EQ(second.told, std::vector<std::string>{"started"})
        << "replayed tries are not told again";
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE("window " + std::to_string(n));
        EXPECT_EQ(resumed.window(n).isVisible(), n == 6);
        EXPECT_EQ(resumed.question(n).WrongCount, unbroken.question(n).WrongCount);
        EXPECT_EQ(resumed.slot(n)->Caption(ControlId::Label2),
                  unbroken.slot(n)->Caption(ControlId::Label2));
    }
    for (TestProgram* t : {&unbroken, &resumed}) {
        t->click(6, wrongOption(6));
        for (int n = 6; n <= 10; ++n)
            t->answerRight(n);
    }
    EXPECT_EQ(resumed.slot(11)->Caption(ControlId::Label2), " 0"); // 1+2+3+4+5+3 = 18 wrong
    EXPECT_EQ(resumed.result().Mark, unbroken.result().Mark);
}

} // namespace
} // namespace kt::test
