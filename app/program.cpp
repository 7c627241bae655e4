#include "app/program.h"

#include "app/program_description.h"
#include "runtime/runtime_error.h"

namespace kt {

Program::Program(WindowSystem& system) : m_system(system), m_registry(system, *this, createForm) {}

template <typename Handler> void Program::run(Handler&& handler) {
    if (m_ended)
        return;
    try {
        handler();
    } catch (const ProgramEnded&) {
        m_ended = true;
    } catch (const RuntimeError& error) {
        m_ended = true;
        m_exitCode = 1;
        m_system.reportError({error.number(), error.text()});
        m_system.end(m_exitCode);
    }
}

void Program::start() {
    run([this] { m_registry.name(kStartUpForm).Show(); });
}

void Program::Command1_Click(FormId form) {
    run([this, form] { m_registry.name(form).Command1_Click(); });
}

// Closing the visible window leaves only hidden windows that nobody can reach again, so the
// program ends with it rather than linger without a window.
void Program::closedByUser(FormId) {
    run([this] { m_registry.End(); });
}

} // namespace kt
