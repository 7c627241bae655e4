#include "runtime/form.h"

#include "runtime/window_registry.h"

namespace kt {

Form::Form(FormId id, const WindowDescription& description, WindowRegistry& registry)
    : m_id(id), m_description(description), m_registry(registry) {}

Form::~Form() = default;

Window& Form::loaded() {
    if (!m_window) {
        m_window = m_registry.system().build(m_description, *this);
        Form_Load();
    }
    return *m_window;
}

void Form::Show() {
    loaded().show();
}

void Form::setVisible(bool visible) {
    Window& window = loaded();
    if (visible)
        window.show();
    else
        window.hide();
}

bool Form::Visible() const {
    return m_window && m_window->isVisible();
}

std::string Form::Caption(ControlId control) {
    return loaded().caption(control);
}

void Form::setCaption(ControlId control, std::string_view text) {
    loaded().setCaption(control, text, text);
}

void Form::setCaption(ControlId control, std::string_view text, std::string_view spoken) {
    loaded().setCaption(control, text, spoken);
}

bool Form::Value(ControlId control) {
    return loaded().value(control);
}

void Form::commandClicked() {
    m_registry.deliver([this] { Command1_Click(); });
}

// Closing the visible window leaves only hidden windows that nobody can reach again, so the
// program ends with it rather than linger without a window.
void Form::closedByUser() {
    m_registry.deliver([this] { m_registry.End(); });
}

} // namespace kt
