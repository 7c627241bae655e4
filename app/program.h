#pragma once

#include "runtime/window_registry.h"
#include "ui/window_system.h"

namespace kt {

// The program: the registry of its window classes, and its start.
class Program final : public WindowRegistry {
public:
    explicit Program(WindowSystem& system) : WindowRegistry(system) {}

    // Names the start-up window and shows it.
    void start();

private:
    std::unique_ptr<Form> create(FormId id) override;
};

} // namespace kt
