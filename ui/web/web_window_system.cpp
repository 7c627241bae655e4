#include "ui/web/web_window_system.h"

#include "ui/web/accessibility.h"
#include "ui/web/colours.h"
#include "ui/web/host.h"
#include "ui/web/layout.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>

namespace kt::web {

namespace {

host::Element elementFor(ControlKind kind) {
    switch (kind) {
    case ControlKind::PictureBox:
        return host::Element::Picture;
    case ControlKind::CommandButton:
        return host::Element::Button;
    case ControlKind::OptionButton:
        return host::Element::Option;
    case ControlKind::Label:
        break;
    }
    return host::Element::Label;
}

std::string_view cssAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Right:
        return "right";
    case TextAlignment::Centre:
        return "center";
    case TextAlignment::Left:
        break;
    }
    return "left";
}

} // namespace

std::string cssColour(Colour colour) {
    if (!colour.isSystem())
        return "rgb(" + std::to_string(colour.red()) + " " + std::to_string(colour.green()) + " " +
               std::to_string(colour.blue()) + ")";
    switch (colour.systemIndex()) {
    case 14:
        return "var(--kt-highlight-text)";
    case 15:
        return "var(--kt-face)";
    case 18:
        return "var(--kt-button-text)";
    default:
        return "var(--kt-window-text)";
    }
}

WebWindow::WebWindow(FormId form, const WindowDescription& description)
    : m_form(form), m_description(description) {
    const int id = static_cast<int>(kt::indexOf(form));
    host::createWindow(id, description.Caption, twipsToPixels(description.ClientWidth),
                       twipsToPixels(description.ClientHeight));
    const AccessibleText window = describeWindow(form);
    host::describe(id, -1, window.name, window.description);

    const auto controls = description.controls();
    for (const auto& c : controls)
        m_captions.emplace_back(c.Caption);
    // The page's order is the tab order, and with it the order a screen reader reads in.
    std::vector<int> order(controls.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return controls[a].TabIndex < controls[b].TabIndex; });
    // Earlier controls lie in front of later ones; labels are drawn on the window itself and so
    // lie behind everything else, each below the ones before it.
    int labelsBefore = 0;
    std::vector<int> layers(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        layers[i] = controls[i].kind == ControlKind::Label
                        ? static_cast<int>(kMaxControls) - labelsBefore++
                        : 2 * static_cast<int>(kMaxControls) + 1 - static_cast<int>(i);

    for (int i : order) {
        const ControlDescription& c = controls[i];
        const PixelRect r = toPixels(c.rect);
        const bool showsCaption =
            c.kind == ControlKind::Label || c.kind == ControlKind::CommandButton;
        host::addControl(id, i, c.Name, elementFor(c.kind), r.left, r.top, r.width, r.height,
                         layers[i], showsCaption ? c.Caption : std::string_view{});
        if (c.Font)
            host::setFont(
                id, i, c.Font->Name, static_cast<int>(std::lround(c.Font->Size * 96 / 72)),
                c.Font->Weight >= 700, c.Font->Italic, c.Font->Underline, c.Font->Strikethrough);
        if (c.kind == ControlKind::Label)
            host::setStyle(id, i, cssColour(c.ForeColor), cssAlignment(c.Alignment));
        const AccessibleText text = describeControl(form, c.Name);
        host::describe(id, i, text.name, text.description);
        if (c.kind == ControlKind::PictureBox)
            m_pictures.try_emplace(i, c.Picture, c.Border, r.width, r.height);
        if (m_focus < 0 && c.kind != ControlKind::Label)
            m_focus = i;
    }
}

void WebWindow::show() {
    host::show(static_cast<int>(kt::indexOf(m_form)), m_focus);
    m_visible = true;
}

void WebWindow::hide() {
    host::hide(static_cast<int>(kt::indexOf(m_form)));
    m_visible = false;
}

int WebWindow::indexOf(std::string_view control) const {
    const auto controls = m_description.controls();
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [&](const ControlDescription& c) { return c.Name == control; });
    assert(it != controls.end() && "the program names only controls its descriptions have");
    return static_cast<int>(it - controls.begin());
}

std::string WebWindow::caption(std::string_view control) const {
    return m_captions[static_cast<std::size_t>(indexOf(control))];
}

void WebWindow::setCaption(std::string_view control, std::string_view text) {
    const int i = indexOf(control);
    m_captions[static_cast<std::size_t>(i)] = std::string(text);
    const int id = static_cast<int>(kt::indexOf(m_form));
    if (m_description.controls()[static_cast<std::size_t>(i)].kind != ControlKind::Label) {
        host::setText(id, i, text, {});
        return;
    }
    const std::string spoken = spokenCaption(m_form, control, text);
    host::setText(id, i, text, spoken);
    // A wrong answer's mark and the result are news: a second wrong answer writes the same mark
    // again, and it is news all the same.
    if (spoken != text)
        host::announce(spoken);
}

bool WebWindow::value(std::string_view control) const {
    const int i = indexOf(control);
    return m_description.controls()[static_cast<std::size_t>(i)].kind ==
               ControlKind::OptionButton &&
           host::isChecked(static_cast<int>(kt::indexOf(m_form)), i);
}

bool WebWindow::paint(int control, double scale) const {
    const auto it = m_pictures.find(control);
    if (it == m_pictures.end())
        return false;
    it->second.paint(scale);
    return true;
}

bool WebWindow::isCommand1(int control) const {
    const auto controls = m_description.controls();
    return control >= 0 && static_cast<std::size_t>(control) < controls.size() &&
           controls[static_cast<std::size_t>(control)].Name == "Command1";
}

std::unique_ptr<Window> WebWindowSystem::build(FormId form, const WindowDescription& description,
                                               WindowEvents&) {
    // The page reports clicks and closing to the program through the module's exports, which
    // know the one program of the page.
    auto window = std::make_unique<WebWindow>(form, description);
    m_windows[form] = window.get();
    return window;
}

void WebWindowSystem::end(int) {
    host::end();
}

void WebWindowSystem::reportError(const RuntimeErrorReport& error) {
    host::reportError("Тест по кинематике", "Ошибка выполнения " + std::to_string(error.number) +
                                                ": " + std::string(error.text) + ".");
}

const WebWindow* WebWindowSystem::window(FormId form) const {
    const auto it = m_windows.find(form);
    return it == m_windows.end() ? nullptr : it->second;
}

} // namespace kt::web
