#include "app/form.h"

#include "app/program_description.h"
#include "app/window_registry.h"

namespace kt {

Form::Form(FormId id, WindowRegistry& registry) : m_id(id), m_registry(registry) {}

Form::~Form() = default;

Window& Form::loaded() {
    if (!m_window) {
        m_window = m_registry.system().build(m_id, descriptionOf(m_id), m_registry.events());
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

std::string Form::Caption(std::string_view control) {
    return loaded().caption(control);
}

void Form::setCaption(std::string_view control, std::string_view text) {
    loaded().setCaption(control, text);
}

bool Form::Value(std::string_view control) {
    return loaded().value(control);
}

} // namespace kt
