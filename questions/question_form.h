#pragma once

#include "questions/answer_key.h"
#include "runtime/form.h"

#include <cstdint>

namespace kt {

// Form1 to Form10: checks the chosen option against the window's answer key.
class QuestionForm final : public Form {
public:
    QuestionForm(FormId id, WindowRegistry& registry);

    void Form_Load() override;
    void Command1_Click() override;

    std::int16_t WrongCount = 0;

private:
    void perform(const OptionAction& action);

    const AnswerKey& m_key;
};

} // namespace kt
