#pragma once

#include "questions/choice_record.h"
#include "runtime/window_registry.h"
#include "ui/window_system.h"

namespace kt {

// The program: the registry of its window classes, and its start.
class Program final : public WindowRegistry {
public:
    explicit Program(WindowSystem& system) : WindowRegistry(system) {}

    // Names the start-up window and shows it, then replays the choices of an attempt left
    // halfway, which its reporter has been told of already. Then tells the reporter that the
    // attempt has started.
    void start(const ChoiceRecord& earlier = {});

private:
    std::unique_ptr<Form> create(FormId id) override;
};

} // namespace kt
