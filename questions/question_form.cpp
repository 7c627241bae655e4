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
            answer(i);
}

FormId QuestionForm::answer(std::size_t option, std::int16_t times) {
    const OptionAction& action = m_key.options[option];
    if (!action.right) {
        // Spelt out sign by sign, a mark would tell a listener nothing.
        setCaption(ControlId::Label2, action.mark, kWrongAnswerSpoken);
        WrongCount = addInt16(WrongCount, times);
        tell(option);
        return id();
    }
    setCaption(ControlId::Label2, signedNumberText(WrongCount));
    tell(option);
    registry().name(m_key.next).Show();
    setVisible(false);
    return m_key.next;
}

// Told once a try has counted, so that a try the counter refused is no part of the record.
void QuestionForm::tell(std::size_t option) {
    AttemptReporter* reporter = registry().reporter();
    if (!reporter)
        return;
    reporter->tried({id(), static_cast<int>(option), static_cast<int>(rightPlaceOf(m_key)),
                     m_key.options[option].right, kQuestionTexts[indexOf(id())].statement});
}

} // namespace kt
