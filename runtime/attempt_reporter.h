#pragma once

#include "runtime/form_id.h"

#include <cstdint>
#include <string_view>

namespace kt {

// One click on Command1 of a question window with an option chosen.
struct AnswerTry {
    FormId form = FormId::Form1;
    int option = 0;      // 0 to 2: Option1 to Option3
    int rightOption = 0; // the one the window's key takes
    bool right = false;
    std::string_view question; // the question's words
};

// What happens in an attempt, told as it happens to whoever keeps a record of it (a learning
// platform). The answer checking and the result computation tell it themselves, so the record is
// the program's own and never read back from a screen. The program tells nobody by default.
class AttemptReporter {
public:
    // The first window is on screen, with any earlier choices replayed.
    virtual void started() = 0;
    // After the try has been counted, and before a right one moves on.
    virtual void tried(const AnswerTry& answer) = 0;
    // The result window has computed the mark it shows from `total` wrong tries.
    virtual void resultShown(std::int32_t mark, double total) = 0;
    // The program ends: by «Выход», by closing a window, or after a runtime error.
    virtual void ended() = 0;

protected:
    ~AttemptReporter() = default;
};

} // namespace kt
