#pragma once

#include "runtime/form_id.h"
#include "ui/window_system.h"

#include <memory>
#include <string>
#include <string_view>

namespace kt {

class WindowRegistry;

// A window class of the program with its single instance's state. Any use that needs the window
// on screen or its controls loads it first: the window is built from its description and then
// Form_Load runs, once. The window reports its events to the form that built it, and the form
// runs its handler through the registry's error guard.
class Form : private WindowEvents {
public:
    Form(FormId id, const WindowDescription& description, WindowRegistry& registry);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    FormId id() const { return m_id; }
    bool isLoaded() const { return m_window != nullptr; }

    virtual void Form_Load() {}
    virtual void Command1_Click() {}

    void Show();
    void setVisible(bool visible);
    bool Visible() const; // a window that is not loaded is not visible

    std::string Caption(ControlId control);
    void setCaption(ControlId control, std::string_view text);
    // The same, with the words assistive technology reads for the caption.
    void setCaption(ControlId control, std::string_view text, std::string_view spoken);
    bool Value(ControlId control);

protected:
    WindowRegistry& registry() { return m_registry; }

private:
    void commandClicked() final;
    void closedByUser() final;
    Window& loaded();

    FormId m_id;
    const WindowDescription& m_description;
    WindowRegistry& m_registry;
    std::unique_ptr<Window> m_window;
};

} // namespace kt
