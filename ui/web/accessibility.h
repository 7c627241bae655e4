#pragma once

// What assistive technology learns of a window: the questions' words instead of their pictures,
// and a spoken form of what the program writes into its labels.

#include "app/form_id.h"

#include <string>
#include <string_view>

namespace kt::web {

struct AccessibleText {
    std::string name; // empty: the element's own
    std::string description;
};

AccessibleText describeWindow(FormId form);
AccessibleText describeControl(FormId form, std::string_view control);

// The spoken form of a label once the program has written `caption` into it; the caption itself
// when it reads well as it is.
std::string spokenCaption(FormId form, std::string_view control, std::string_view caption);

} // namespace kt::web
