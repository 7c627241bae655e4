#include "runtime/window_registry.h"

namespace kt {

WindowRegistry::WindowRegistry(WindowSystem& system) : m_system(system) {}

WindowRegistry::~WindowRegistry() = default;

Form& WindowRegistry::name(FormId id) {
    auto& slot = m_slots[indexOf(id)];
    if (!slot)
        slot = create(id);
    return *slot;
}

void WindowRegistry::End() {
    if (m_reporter)
        m_reporter->ended();
    m_system.end(0);
    throw ProgramEnded{};
}

void WindowRegistry::report(const RuntimeError& error) {
    m_ended = true;
    m_exitCode = 1;
    if (m_reporter)
        m_reporter->ended();
    m_system.reportError({error.number(), error.text()});
    m_system.end(m_exitCode);
}

} // namespace kt
