#pragma once

#include "app/form_id.h"
#include "ui/window_system.h"

#include <memory>
#include <string>
#include <string_view>

namespace kt {

class WindowRegistry;

// A window class of the program with its single instance's state. Any use that needs the window
// on screen or its controls loads it first: the window is built from its description and then
// Form_Load runs, once.
class Form {
public:
    Form(FormId id, WindowRegistry& registry);
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

    std::string Caption(std::string_view control);
    void setCaption(std::string_view control, std::string_view text);
    bool Value(std::string_view control);

protected:
    WindowRegistry& registry() { return m_registry; }

private:
    Window& loaded();

    FormId m_id;
    WindowRegistry& m_registry;
    std::unique_ptr<Window> m_window;
};

} // namespace kt
