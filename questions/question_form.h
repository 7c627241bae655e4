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

    // What Command1_Click does with Option1, 2 or 3 (`option` 0 to 2) chosen, `times` times
    // over: a replay of earlier choices reaches the window so, without its buttons. A right
    // option moves on the first time. Returns the window on screen after it.
    FormId answer(std::size_t option, std::int16_t times = 1);

    std::int16_t WrongCount = 0;

private:
    void tell(std::size_t option);

    const AnswerKey& m_key;
};

} // namespace kt
