#pragma once

// The right answer of each question, worked out here from the question itself (its words in
// questions/question_texts.h, its graph) and not taken from the program's answer keys, so that
// a wrong key fails the tests that answer. The scripts get them, with where each control lies,
// from answer_sheet.json, which write_answer_sheet makes from this table and the program's layout.

#include "ui/description.h"

#include <array>
#include <string_view>

namespace kt::test {

// Each right answer as its option is named: the letter, then the answer's words.
inline constexpr std::array<std::string_view, 10> kRightChoices = {
    "В. 3",           // line 3 falls from 3 to 0 m/s: the acceleration points against the velocity
    "А. 0,5 м/с²",    // the line rises from 2 to 5 m/s in 6 s: 3 / 6
    "Б. 2",           // 5 m/s in 4 s, against 2 m/s in 10 s (line 3) and none (line 1)
    "А. v = 3 + 20t", // the only speed that grows from the start: -3 + t first falls to 0
    "А. 24 м",        // the area under the line from 4 to 8 m/s over 4 s: (4 + 8) / 2 · 4
    "Б. v = 3 - t",   // from 3 m/s at 0 to 0 at 3 s: 3 less 1 m/s each second
    "А. 1",           // from 2 m/s, 1 m/s less each second: line 1, at 0 after 2 s
    "В. 0,25 м/с²",   // 72 km/h = 20 m/s to 54 km/h = 15 m/s: 5 m/s lost in 20 s
    "В. 1250 м",      // from rest to 360 km/h = 100 m/s: the mean 50 m/s for 25 s
    "А. 10 м/с",      // 0.4 m/s² for 25 s down to rest
};

inline constexpr std::array<ControlId, 3> kAllOptions = {ControlId::Option1, ControlId::Option2,
                                                         ControlId::Option3};
// The letters in front of Option1, Option2 and Option3.
inline constexpr std::array<std::string_view, 3> kLetters = {"А", "Б", "В"};

// The right option of question window `number` (1 to 10): the one in front of its letter.
constexpr ControlId rightOption(int number) {
    const std::string_view choice = kRightChoices[static_cast<std::size_t>(number - 1)];
    std::size_t option = 0;
    while (!choice.starts_with(kLetters[option]))
        ++option;
    return kAllOptions[option];
}

// The first wrong option of a window, for tests that do not care which mark it writes.
constexpr ControlId wrongOption(int number) {
    return rightOption(number) == ControlId::Option1 ? ControlId::Option2 : ControlId::Option1;
}

} // namespace kt::test
