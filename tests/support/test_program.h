#pragma once

// A started program on the headless window system, with the pupil's moves as one-liners.

#include "app/program.h"
#include "questions/question_form.h"
#include "result/result_form.h"
#include "support/headless_window_system.h"
#include "support/right_answers.h"

namespace kt::test {

struct TestProgram {
    HeadlessWindowSystem screen;
    Program program{screen};

    TestProgram() { program.start(); }
    // Tells `reporter` of the attempt, which goes on from the choices `earlier`.
    TestProgram(AttemptReporter& reporter, const ChoiceRecord& earlier) {
        program.setReporter(&reporter);
        program.start(earlier);
    }

    HeadlessWindow& window(int number) { return *screen.window(formNumber(number)); }
    Form* slot(int number) { return program.slot(formNumber(number)); }
    QuestionForm& question(int number) { return static_cast<QuestionForm&>(*slot(number)); }
    ResultForm& result() { return static_cast<ResultForm&>(*slot(11)); }

    void click(int number, ControlId option) {
        window(number).choose(option);
        window(number).clickCommand1();
    }
    void answerRight(int number) { click(number, rightOption(number)); }
};

} // namespace kt::test
