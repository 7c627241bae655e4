#include "support/headless_window_system.h"

#include "app/program_description.h"

#include <stdexcept>
#include <utility>

namespace kt::test {

HeadlessWindow::HeadlessWindow(const WindowDescription& description, WindowEvents& events)
    : m_events(events) {
    for (const auto& c : description.controls())
        m_controls.emplace(c.id, Control{c.kind, std::string(c.Caption)});
}

void HeadlessWindow::show() {
    m_visible = true;
    ++m_showCount;
}

void HeadlessWindow::hide() {
    m_visible = false;
}

const HeadlessWindow::Control& HeadlessWindow::find(ControlId id) const {
    const auto it = m_controls.find(id);
    if (it == m_controls.end())
        throw std::logic_error("no control " + std::string(controlName(id)));
    return it->second;
}

HeadlessWindow::Control& HeadlessWindow::find(ControlId id) {
    return const_cast<Control&>(std::as_const(*this).find(id));
}

std::string HeadlessWindow::caption(ControlId control) const {
    return find(control).caption;
}

void HeadlessWindow::setCaption(ControlId control, std::string_view text, std::string_view) {
    find(control).caption = std::string(text);
}

bool HeadlessWindow::value(ControlId control) const {
    return find(control).value;
}

void HeadlessWindow::choose(ControlId option) {
    if (find(option).kind != ControlKind::OptionButton)
        throw std::logic_error(std::string(controlName(option)) + " is not an option button");
    for (auto& [id, control] : m_controls)
        if (control.kind == ControlKind::OptionButton)
            control.value = id == option;
}

void HeadlessWindow::clickCommand1() {
    m_events.commandClicked();
}

void HeadlessWindow::close() {
    m_visible = false;
    m_events.closedByUser();
}

std::unique_ptr<Window> HeadlessWindowSystem::build(const WindowDescription& description,
                                                    WindowEvents& events) {
    auto window = std::make_unique<HeadlessWindow>(description, events);
    m_windows[&description] = window.get();
    m_buildOrder.push_back(&description);
    return window;
}

HeadlessWindow* HeadlessWindowSystem::window(FormId form) const {
    const auto it = m_windows.find(&descriptionOf(form));
    return it == m_windows.end() ? nullptr : it->second;
}

std::vector<FormId> HeadlessWindowSystem::buildOrder() const {
    std::vector<FormId> forms;
    for (const WindowDescription* built : m_buildOrder)
        for (FormId form : kAllForms)
            if (&descriptionOf(form) == built)
                forms.push_back(form);
    return forms;
}

} // namespace kt::test
