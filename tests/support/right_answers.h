#pragma once

// The right and the wrong options of each question window, for every test and benchmark that
// answers, taken from the program's answer keys. The scripts get them, with where each control
// lies, from answer_sheet.json, which write_answer_sheet makes from the same tables.

#include "questions/answer_key.h"

namespace kt::test {

inline constexpr const std::array<ControlId, 3>& kAllOptions = kOptions;

// The right option of question window `number` (1 to 10).
constexpr ControlId rightOption(int number) {
    return kOptions[rightPlaceOf(answerKeyOf(formNumber(number)))];
}

// The first wrong option of a window, for tests that do not care which mark it writes.
constexpr ControlId wrongOption(int number) {
    return rightOption(number) == ControlId::Option1 ? ControlId::Option2 : ControlId::Option1;
}

} // namespace kt::test
