#pragma once

#include "runtime/form_id.h"

namespace kt {

// What the windows report, told by form: the program delivers it to the form's handlers.
class FormEvents {
public:
    virtual void Command1_Click(FormId form) = 0;
    // The user closed the form's window through its frame.
    virtual void closedByUser(FormId form) = 0;

protected:
    ~FormEvents() = default;
};

} // namespace kt
