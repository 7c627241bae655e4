#pragma once

// What each option of each question window does, as the test sheet gives it, for every test,
// benchmark and script that answers. Written out here rather than taken from the program's own
// answer keys, so that a wrong key in the program shows up.

#include "ui/description.h"

#include <array>

namespace kt::test {

// Each question window's options in order: nullptr where the option is right, otherwise the
// mark that a click with it writes.
inline constexpr std::array<std::array<const char*, 3>, 10> kMarks = {{
    {"???", "?", nullptr}, // 1
    {nullptr, "?", "???"}, // 2
    {"???", nullptr, "?"}, // 3
    {nullptr, "?", "???"}, // 4
    {nullptr, "?", "???"}, // 5
    {"?", nullptr, "???"}, // 6
    {nullptr, "???", "?"}, // 7
    {"?", "???", nullptr}, // 8
    {"?", "???", nullptr}, // 9
    {nullptr, "?", "???"}, // 10
}};

inline constexpr std::array<ControlId, 3> kAllOptions = {ControlId::Option1, ControlId::Option2,
                                                         ControlId::Option3};

// The right option of question window `number` (1 to 10).
constexpr ControlId rightOption(int number) {
    const auto& marks = kMarks[static_cast<std::size_t>(number - 1)];
    std::size_t option = 0;
    while (marks[option] != nullptr)
        ++option;
    return kAllOptions[option];
}

// The first wrong option of a window, for tests that do not care which mark it writes.
constexpr ControlId wrongOption(int number) {
    return rightOption(number) == ControlId::Option1 ? ControlId::Option2 : ControlId::Option1;
}

} // namespace kt::test
