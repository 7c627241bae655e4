#include "app/program_description.h"

#include "questions/question_windows.h"
#include "result/result_window.h"

namespace kt {

const WindowDescription& descriptionOf(FormId id) {
    return isQuestion(id) ? kQuestionWindows[indexOf(id)] : kResultWindow;
}

} // namespace kt
