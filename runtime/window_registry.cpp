#include "runtime/window_registry.h"

namespace kt {

WindowRegistry::WindowRegistry(WindowSystem& system, FormEvents& events, FormFactory create)
    : m_system(system), m_events(events), m_create(create) {}

WindowRegistry::~WindowRegistry() = default;

Form& WindowRegistry::name(FormId id) {
    auto& slot = m_slots[indexOf(id)];
    if (!slot)
        slot = m_create(id, *this);
    return *slot;
}

void WindowRegistry::End() {
    m_system.end(0);
    throw ProgramEnded{};
}

} // namespace kt
