#pragma once

#include "ui/description.h"

#include <array>

namespace kt {

// The descriptions of Form1 to Form10, in window order.
extern const std::array<WindowDescription, 10> kQuestionWindows;

} // namespace kt
