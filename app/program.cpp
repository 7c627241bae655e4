#include "app/program.h"

#include "app/program_description.h"
#include "questions/question_form.h"
#include "result/result_form.h"

namespace kt {

void Program::start(const ChoiceRecord& earlier) {
    AttemptReporter* reporter = this->reporter();
    setReporter(nullptr);
    deliver([&] {
        name(kStartUpForm).Show();
        FormId window = kStartUpForm;
        for (const ChoiceRun& run : earlier.runs())
            window = static_cast<QuestionForm&>(name(window))
                         .answer(static_cast<std::size_t>(run.option), run.times);
    });
    setReporter(reporter);
    if (reporter && !ended())
        reporter->started();
}

std::unique_ptr<Form> Program::create(FormId id) {
    if (isQuestion(id))
        return std::make_unique<QuestionForm>(id, *this);
    return std::make_unique<ResultForm>(*this);
}

} // namespace kt
