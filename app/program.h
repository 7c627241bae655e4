#pragma once

#include "runtime/window_registry.h"
#include "ui/window_system.h"

namespace kt {

// Start-up and event delivery. Every handler runs to completion or until it raises a runtime
// error or ends the program; after the end no event reaches a handler any more.
class Program final : public FormEvents {
public:
    explicit Program(WindowSystem& system);

    // Names the start-up window and shows it.
    void start();

    bool ended() const { return m_ended; }
    int exitCode() const { return m_exitCode; }
    WindowRegistry& registry() { return m_registry; }

    void Command1_Click(FormId form) override;
    void closedByUser(FormId form) override;

private:
    template <typename Handler> void run(Handler&& handler);

    WindowSystem& m_system;
    WindowRegistry m_registry;
    bool m_ended = false;
    int m_exitCode = 0;
};

} // namespace kt
