#pragma once

#include "ui/description.h"

namespace kt {

extern const WindowDescription kResultWindow;

} // namespace kt
