#pragma once

// The right option of each question window as the test sheet gives it, for every test and
// benchmark that answers. Written out here rather than taken from the program's own answer keys,
// so that a wrong key in the program shows up.

#include "ui/description.h"

#include <array>

namespace kt::test {

inline constexpr std::array<ControlId, 10> kRightOption = {
    ControlId::Option3, ControlId::Option1, ControlId::Option2, ControlId::Option1,
    ControlId::Option1, ControlId::Option2, ControlId::Option1, ControlId::Option3,
    ControlId::Option3, ControlId::Option1};

inline constexpr std::array<ControlId, 3> kAllOptions = {ControlId::Option1, ControlId::Option2,
                                                         ControlId::Option3};

// The right option of question window `number` (1 to 10).
constexpr ControlId rightOption(int number) {
    return kRightOption[static_cast<std::size_t>(number - 1)];
}

// The first wrong option of a window, for tests that do not care which mark it writes.
constexpr ControlId wrongOption(int number) {
    return rightOption(number) == ControlId::Option1 ? ControlId::Option2 : ControlId::Option1;
}

} // namespace kt::test
