#include "ui/web/web_window_system.h"

#include "program_identity.h"
#include "ui/layout.h"
#include "ui/web/colours.h"
#include "ui/web/host.h"

#include <algorithm>
#include <cassert>

namespace kt::web {

namespace {

// The element the page makes for a control, by the name host.js knows it by.
std::string_view elementFor(ControlKind kind) {
    switch (kind) {
    case ControlKind::PictureBox:
        return "picture";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::Label:
        break;
    }
    return "label";
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

// A colour value as CSS writes it: plain colours as they are, system colours as the page's
// custom properties (style.css), so that all of them follow one scheme.
std::string cssColour(Colour colour) {
    if (!colour.isSystem())
        return "rgb(" + std::to_string(colour.red()) + " " + std::to_string(colour.green()) + " " +
               std::to_string(colour.blue()) + ")";
    if (colour == kButtonText)
        return "var(--kt-button-text)";
    return "var(--kt-window-text)"; // kWindowText, and any the windows do not use
}

} // namespace

WebWindow::WebWindow(WebWindowSystem& system, int number, const WindowDescription& description,
                     WindowEvents& events)
    : m_system(system), m_number(number), m_description(description), m_events(events) {
    host::createWindow(number, description.Caption, twipsToPixels(description.ClientWidth),
                       twipsToPixels(description.ClientHeight));
    host::describe(number, -1, description.accessibleName, {});

    const auto controls = description.controls();
    for (const auto& c : controls) {
        m_captions.emplace_back(c.Caption);
        m_spoken.emplace_back(c.Caption);
    }
    // The page's order is the tab order, and with it the order a screen reader reads in.
    for (const std::size_t place : tabOrder(description)) {
        const int i = static_cast<int>(place);
        const ControlDescription& c = controls[place];
        const PixelRect r = toPixels(c.rect);
        // A picture's element covers only the part of its box the window shows, so that its
        // focus ring is seen on every side; the picture is cut at the window's edge as before.
        PixelRect element = r;
        if (c.kind == ControlKind::PictureBox) {
            element.width = std::min(r.width, twipsToPixels(description.ClientWidth) - r.left);
            element.height = std::min(r.height, twipsToPixels(description.ClientHeight) - r.top);
        }
        const bool showsCaption =
            c.kind == ControlKind::Label || c.kind == ControlKind::CommandButton;
        host::addControl(number, i, controlName(c.id), elementFor(c.kind), element.left,
                         element.top, element.width, element.height, layerOf(description, place),
                         showsCaption ? c.Caption : std::string_view{});
        if (c.Font)
            host::setFont(number, i, c.Font->Name, fontPixels(*c.Font), c.Font->Weight >= 700,
                          c.Font->Italic, c.Font->Underline, c.Font->Strikethrough);
        if (c.kind == ControlKind::Label)
            host::setStyle(number, i, cssColour(c.ForeColor), cssAlignment(c.Alignment));
        host::describe(number, i, c.accessibleName, c.accessibleDescription);
        if (c.kind == ControlKind::PictureBox)
            m_pictures.try_emplace(i, &pictureBox(c.Picture, c.border, r.width, r.height));
        if (m_focus < 0 && c.kind != ControlKind::Label)
            m_focus = i;
    }
}

WebWindow::~WebWindow() {
    m_system.m_windows.erase(m_number);
}

void WebWindow::show() {
    host::show(m_number, m_focus);
    m_visible = true;
    // Its name and the words of the control its description names, as they are now, told as
    // news once the focus is in it: Orca does not read a dialog the focus comes to from a window
    // that has just gone. (A description of the dialog would be read again at every move
    // within it in browse mode.)
    if (const auto& describedBy = m_description.describedBy) {
        const std::size_t place = placeOf(*describedBy);
        const std::string_view given = m_description.controls()[place].accessibleDescription;
        host::announce(std::string(m_description.accessibleName) + ". " +
                       (given.empty() ? m_spoken[place] : std::string(given)));
    }
}

void WebWindow::hide() {
    host::hide(m_number);
    m_visible = false;
}

std::size_t WebWindow::placeOf(ControlId control) const {
    const ControlDescription* c = m_description.control(control);
    assert(c != nullptr && "the program names only controls its descriptions have");
    return static_cast<std::size_t>(c - m_description.controls().data());
}

std::string WebWindow::caption(ControlId control) const {
    return m_captions[placeOf(control)];
}

void WebWindow::setCaption(ControlId control, std::string_view text, std::string_view spoken) {
    const std::size_t i = placeOf(control);
    m_captions[i] = std::string(text);
    m_spoken[i] = std::string(spoken);
    const int place = static_cast<int>(i);
    if (m_description.controls()[i].kind != ControlKind::Label) {
        host::setText(m_number, place, text, {});
        return;
    }
    host::setText(m_number, place, text, spoken);
    // A wrong answer's mark and the result are news: a second wrong answer writes the same mark
    // again, and it is news all the same.
    // A window not yet shown tells its mark as it appears.
    if (spoken != text && m_visible)
        host::announce(spoken);
}

bool WebWindow::value(ControlId control) const {
    const std::size_t i = placeOf(control);
    return m_description.controls()[i].kind == ControlKind::OptionButton &&
           host::isChecked(m_number, static_cast<int>(i));
}

void WebWindow::clicked(int place) {
    const auto controls = m_description.controls();
    if (place >= 0 && static_cast<std::size_t>(place) < controls.size() &&
        controls[static_cast<std::size_t>(place)].id == ControlId::Command1)
        m_events.commandClicked();
}

bool WebWindow::paint(int place, double scale) const {
    const auto it = m_pictures.find(place);
    if (it == m_pictures.end())
        return false;
    it->second->paint(scale);
    return true;
}

bool WebWindowSystem::paintAhead(const WindowDescription& description, double scale) {
    for (const auto& c : description.controls()) {
        if (c.kind != ControlKind::PictureBox)
            continue;
        const PixelRect r = toPixels(c.rect);
        if (pictureBox(c.Picture, c.border, r.width, r.height).paintAhead(scale))
            return true;
    }
    return false;
}

std::unique_ptr<Window> WebWindowSystem::build(const WindowDescription& description,
                                               WindowEvents& events) {
    const int number = m_built++;
    auto window = std::make_unique<WebWindow>(*this, number, description, events);
    m_windows[number] = window.get();
    return window;
}

void WebWindowSystem::end(int) {
    host::end();
}

void WebWindowSystem::reportError(const RuntimeErrorReport& error) {
    host::reportError(kProgramTitle, error.message());
}

WebWindow* WebWindowSystem::window(int number) const {
    const auto it = m_windows.find(number);
    return it == m_windows.end() ? nullptr : it->second;
}

} // namespace kt::web
