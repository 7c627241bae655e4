#include "app/program_description.h"

#include "questions/question_form.h"
#include "questions/question_windows.h"
#include "result/result_form.h"
#include "result/result_window.h"

namespace kt {

const WindowDescription& descriptionOf(FormId id) {
    return isQuestion(id) ? kQuestionWindows[indexOf(id)] : kResultWindow;
}

std::unique_ptr<Form> createForm(FormId id, WindowRegistry& registry) {
    if (isQuestion(id))
        return std::make_unique<QuestionForm>(id, registry);
    return std::make_unique<ResultForm>(registry);
}

} // namespace kt
