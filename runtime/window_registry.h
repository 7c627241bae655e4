#pragma once

#include "runtime/attempt_reporter.h"
#include "runtime/form.h"
#include "runtime/form_id.h"
#include "runtime/runtime_error.h"
#include "ui/window_system.h"

#include <array>
#include <memory>

namespace kt {

// Thrown by End to unwind the running handler; deliver stops there.
struct ProgramEnded {};

// One slot per window class, empty until the window is first named. The slot owns the instance
// until the program ends; code names windows only through here. The program derives from it,
// knowing its window classes.
class WindowRegistry {
public:
    explicit WindowRegistry(WindowSystem& system);
    virtual ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // Creates the instance on first use; creating does not load the window.
    Form& name(FormId id);
    // The slot's instance, or nullptr while the slot is empty. Never creates.
    Form* slot(FormId id) const { return m_slots[indexOf(id)].get(); }

    // Ends the program at once: no further handler runs.
    [[noreturn]] void End();

    // Runs an event's handler to completion, or until it ends the program or raises a runtime
    // error; the error is reported and ends the program. After the end no handler runs.
    template <typename Handler> void deliver(Handler&& handler);

    // Whoever keeps a record of the attempt; nullptr tells nobody.
    void setReporter(AttemptReporter* reporter) { m_reporter = reporter; }
    AttemptReporter* reporter() const { return m_reporter; }

    bool ended() const { return m_ended; }
    int exitCode() const { return m_exitCode; }
    WindowSystem& system() { return m_system; }

protected:
    // Makes the instance of a window class.
    virtual std::unique_ptr<Form> create(FormId id) = 0;

private:
    void report(const RuntimeError& error);

    WindowSystem& m_system;
    AttemptReporter* m_reporter = nullptr;
    std::array<std::unique_ptr<Form>, kFormCount> m_slots;
    bool m_ended = false;
    int m_exitCode = 0;
};

template <typename Handler> void WindowRegistry::deliver(Handler&& handler) {
    if (m_ended)
        return;
    try {
        handler();
    } catch (const ProgramEnded&) {
        m_ended = true;
    } catch (const RuntimeError& error) {
        report(error);
    }
}

} // namespace kt
