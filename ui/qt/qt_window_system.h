#pragma once

#include "ui/window_system.h"

#include <functional>

namespace kt::qt {

// The window system of the product: Qt Widgets top-level windows.
class QtWindowSystem final : public WindowSystem {
public:
    using ErrorReporter = std::function<void(const RuntimeErrorReport&)>;

    QtWindowSystem();
    // Tests replace the message box with something that does not wait for a user.
    explicit QtWindowSystem(ErrorReporter reporter);

    std::unique_ptr<Window> build(const WindowDescription& description,
                                  WindowEvents& events) override;
    void end(int exitCode) override;
    void reportError(const RuntimeErrorReport& error) override;

    bool ended() const { return m_ended; }
    int exitCode() const { return m_exitCode; }

private:
    ErrorReporter m_reporter;
    bool m_ended = false;
    int m_exitCode = 0;
};

// The message box that names a runtime error.
void showErrorMessage(const RuntimeErrorReport& error);

} // namespace kt::qt
