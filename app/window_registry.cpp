#include "app/window_registry.h"

#include "app/program_description.h"

namespace kt {

WindowRegistry::WindowRegistry(WindowSystem& system, WindowEvents& events)
    : m_system(system), m_events(events) {}

WindowRegistry::~WindowRegistry() = default;

Form& WindowRegistry::name(FormId id) {
    auto& slot = m_slots[indexOf(id)];
    if (!slot)
        slot = createForm(id, *this);
    return *slot;
}

void WindowRegistry::End() {
    m_system.end(0);
    throw ProgramEnded{};
}

} // namespace kt
