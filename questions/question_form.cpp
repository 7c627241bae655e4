#include "questions/question_form.h"

#include "questions/question_texts.h"
#include "questions/question_windows.h"
#include "runtime/runtime_numbers.h"
#include "runtime/window_registry.h"

namespace kt {

QuestionForm::QuestionForm(FormId id, WindowRegistry& registry)
    : Form(id, kQuestionWindows[indexOf(id)], registry), m_key(answerKeyOf(id)) {}

void QuestionForm::Form_Load() {
    WrongCount = 0;
}

void QuestionForm::Command1_Click() {
    // Three separate tests, each reading its button afresh, even after a right answer has
    // already moved on and hidden this window.
    for (std::size_t i = 0; i < kOptions.size(); ++i)
        if (Value(kOptions[i]))
            perform(m_key.options[i]);
}

void QuestionForm::perform(const OptionAction& action) {
    if (!action.right) {
        // Spelt out sign by sign, a mark would tell a listener nothing.
        setCaption(ControlId::Label2, action.mark, kWrongAnswerSpoken);
        WrongCount = addInt16(WrongCount, 1);
        return;
    }
    setCaption(ControlId::Label2, signedNumberText(WrongCount));
    registry().name(m_key.next).Show();
    setVisible(false);
}

} // namespace kt
