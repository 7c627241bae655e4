#include "app/program.h"

#include "app/program_description.h"
#include "questions/question_form.h"
#include "result/result_form.h"

namespace kt {

void Program::start() {
    deliver([this] { name(kStartUpForm).Show(); });
}

std::unique_ptr<Form> Program::create(FormId id) {
    if (isQuestion(id))
        return std::make_unique<QuestionForm>(id, *this);
    return std::make_unique<ResultForm>(*this);
}

} // namespace kt
