#pragma once

#include "ui/window_system.h"

namespace kt::test {

// Window events that reach no program: for tests that build windows on their own.
struct NoEvents final : WindowEvents {
    void commandClicked() override {}
    void closedByUser() override {}
};

} // namespace kt::test
