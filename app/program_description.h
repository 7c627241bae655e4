#pragma once

// What the program is made of: its window classes in registry order, each with its description,
// and the window that starts it.

#include "runtime/form_id.h"
#include "ui/description.h"

#include <memory>

namespace kt {

class Form;
class WindowRegistry;

inline constexpr FormId kStartUpForm = FormId::Form1;

const WindowDescription& descriptionOf(FormId id);
std::unique_ptr<Form> createForm(FormId id, WindowRegistry& registry);

} // namespace kt
