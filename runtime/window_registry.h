#pragma once

#include "runtime/form.h"
#include "runtime/form_events.h"
#include "runtime/form_id.h"
#include "ui/window_system.h"

#include <array>
#include <memory>

namespace kt {

// One slot per window class, empty until the window is first named. The slot owns the instance
// until the program ends; code names windows only through here.
class WindowRegistry {
public:
    // Makes the instance of a window class; the program supplies it, knowing its classes.
    using FormFactory = std::unique_ptr<Form> (*)(FormId id, WindowRegistry& registry);

    WindowRegistry(WindowSystem& system, FormEvents& events, FormFactory create);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // Creates the instance on first use; creating does not load the window.
    Form& name(FormId id);
    // The slot's instance, or nullptr while the slot is empty. Never creates.
    Form* slot(FormId id) const { return m_slots[indexOf(id)].get(); }

    // Ends the program at once: no further handler runs.
    [[noreturn]] void End();

    WindowSystem& system() { return m_system; }
    FormEvents& events() { return m_events; }

private:
    WindowSystem& m_system;
    FormEvents& m_events;
    FormFactory m_create;
    std::array<std::unique_ptr<Form>, kFormCount> m_slots;
};

// Thrown by End to unwind the running handler; the dispatcher stops there.
struct ProgramEnded {};

} // namespace kt
