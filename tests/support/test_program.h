#pragma once

// A started program on the headless window system, with the pupil's moves as one-liners.

#include "app/program.h"
#include "questions/question_form.h"
#include "result/result_form.h"
#include "support/headless_window_system.h"

#include <string>

namespace kt::test {

// The right option of each question window, written out here rather than taken from the
// program's own answer keys, so that a wrong key in the program shows up.
inline constexpr const char* kRightOption[10] = {"Option3", "Option1", "Option2", "Option1",
                                                 "Option1", "Option2", "Option1", "Option3",
                                                 "Option3", "Option1"};

struct TestProgram {
    HeadlessWindowSystem screen;
    Program program{screen};

    TestProgram() { program.start(); }

    HeadlessWindow& window(int number) { return *screen.window(formNumber(number)); }
    Form* slot(int number) { return program.registry().slot(formNumber(number)); }
    QuestionForm& question(int number) { return static_cast<QuestionForm&>(*slot(number)); }
    ResultForm& result() { return static_cast<ResultForm&>(*slot(11)); }

    void click(int number, const std::string& option) {
        window(number).choose(option);
        window(number).clickCommand1();
    }
    void answerRight(int number) { click(number, kRightOption[number - 1]); }
    // The first wrong option of a window, for tests that do not care which mark it writes.
    std::string wrongOption(int number) const {
        return kRightOption[number - 1] == std::string("Option1") ? "Option2" : "Option1";
    }
};

} // namespace kt::test
