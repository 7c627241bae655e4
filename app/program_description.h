#pragma once

// What the program's windows are made of: each window class's description, in registry order,
// and the window that starts the program.

#include "runtime/form_id.h"
#include "ui/description.h"

namespace kt {

inline constexpr FormId kStartUpForm = FormId::Form1;

const WindowDescription& descriptionOf(FormId id);

} // namespace kt
