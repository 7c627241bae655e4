#include "ui/web/web_window_system.h"

#include "program_identity.h"
#include "ui/layout.h"
#include "ui/web/colours.h"

#include <algorithm>
#include <cassert>

#include <emscripten/emscripten.h>

namespace kt::web {

namespace {

WebWindowSystem* g_page = nullptr; // the one the page's events go to

WebWindow* windowNumbered(int number) {
    return g_page ? g_page->window(number) : nullptr;
}

// The element the page makes for a control, by ControlKind, as window_elements.js names it.
constexpr const char* kElementNames[] = {"picture", "label", "button", "option"};
static_assert(std::size(kElementNames) == static_cast<std::size_t>(ControlKind::OptionButton) + 1);
// By TextAlignment.
constexpr const char* kCssAlignments[] = {"left", "right", "center"};
static_assert(std::size(kCssAlignments) == static_cast<std::size_t>(TextAlignment::Centre) + 1);

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

// The page's one box of a picture box control, shared by the windows and painting ahead.
PictureCanvas& boxOf(const ControlDescription& c) {
    const PixelRect r = toPixels(c.rect);
    return pictureBox(c.Picture, c.border, r.width, r.height);
}

} // namespace

WebWindow::WebWindow(WebWindowSystem& system, int number, const WindowDescription& description,
                     WindowEvents& events)
    : m_system(system), m_number(number), m_description(description), m_events(events) {
    kt_page_create_window(number, std::string(description.Caption).c_str(),
                          twipsToPixels(description.ClientWidth),
                          twipsToPixels(description.ClientHeight));
    kt_page_describe(number, -1, std::string(description.accessibleName).c_str(), "");

    const auto controls = description.controls();
    for (const auto& c : controls) {
        m_captions.emplace_back(c.Caption);
        m_spoken.emplace_back(c.Caption);
    }
    // The page's order is the tab order, and with it the order a screen reader reads in.
    for (const std::size_t place : tabOrder(description)) {
        const int i = static_cast<int>(place);
        const ControlDescription& c = controls[place];
        // A picture's element covers only the part of its box the window shows, so that its
        // focus ring is seen on every side; the picture is cut at the window's edge as before.
        PixelRect element = toPixels(c.rect);
        if (c.kind == ControlKind::PictureBox) {
            element.width =
                std::min(element.width, twipsToPixels(description.ClientWidth) - element.left);
            element.height =
                std::min(element.height, twipsToPixels(description.ClientHeight) - element.top);
        }
        const bool showsCaption =
            c.kind == ControlKind::Label || c.kind == ControlKind::CommandButton;
        kt_page_add_control(number, i, std::string(controlName(c.id)).c_str(),
                            kElementNames[static_cast<std::size_t>(c.kind)], element.left,
                            element.top, element.width, element.height, layerOf(description, place),
                            showsCaption ? m_captions[place].c_str() : "");
        if (c.Font)
            kt_page_set_font(number, i, std::string(c.Font->Name).c_str(), fontPixels(*c.Font),
                             c.Font->Weight >= 700, c.Font->Italic, c.Font->Underline,
                             c.Font->Strikethrough);
        if (c.kind == ControlKind::Label)
            kt_page_set_style(number, i, cssColour(c.ForeColor).c_str(),
                              kCssAlignments[static_cast<std::size_t>(c.Alignment)]);
        kt_page_describe(number, i, std::string(c.accessibleName).c_str(),
                         std::string(c.accessibleDescription).c_str());
        if (c.kind == ControlKind::PictureBox)
            m_pictures.try_emplace(i, &boxOf(c));
        if (m_focusOnShowing < 0 && c.kind != ControlKind::Label)
            m_focusOnShowing = i;
    }
}

WebWindow::~WebWindow() {
    m_system.m_windows.erase(m_number);
}

void WebWindow::show() {
    kt_page_show(m_number, m_focusOnShowing);
    m_visible = true;
    // Its name and the words of the control its description names, as they are now, told as
    // news once the focus is in it: Orca does not read a dialog the focus comes to from a window
    // that has just gone. (A description of the dialog would be read again at every move
    // within it in browse mode.)
    if (const auto& describedBy = m_description.describedBy) {
        const std::size_t place = placeOf(*describedBy);
        const std::string_view given = m_description.controls()[place].accessibleDescription;
        const std::string news = std::string(m_description.accessibleName) + ". " +
                                 (given.empty() ? m_spoken[place] : std::string(given));
        kt_page_announce(news.c_str());
    }
}

void WebWindow::hide() {
    kt_page_hide(m_number);
    m_visible = false;
}

std::size_t WebWindow::placeOf(ControlId control) const {
    const ControlDescription* c = m_description.control(control);
    assert(c != nullptr && "the program names only controls its descriptions have");
    return static_cast<std::size_t>(c - m_description.controls().data());
}

void WebWindow::setCaption(ControlId control, std::string_view text, std::string_view spoken) {
    const std::size_t i = placeOf(control);
    m_captions[i] = std::string(text);
    m_spoken[i] = std::string(spoken);
    const bool label = m_description.controls()[i].kind == ControlKind::Label;
    kt_page_set_text(m_number, static_cast<int>(i), m_captions[i].c_str(),
                     label ? m_spoken[i].c_str() : "");
    // A wrong answer's mark and the result are news: a second wrong answer writes the same mark
    // again, and it is news all the same. A window not yet shown tells its mark as it appears.
    if (label && spoken != text && m_visible)
        kt_page_announce(m_spoken[i].c_str());
}

bool WebWindow::value(ControlId control) const {
    const std::size_t i = placeOf(control);
    return m_description.controls()[i].kind == ControlKind::OptionButton &&
           kt_page_is_checked(m_number, static_cast<int>(i));
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

WebWindowSystem::WebWindowSystem(std::span<const WindowDescription* const> everyWindow)
    : m_everyWindow(everyWindow) {
    g_page = this;
    int width = 0;
    int height = 0;
    for (const WindowDescription* description : everyWindow) {
        width = std::max(width, twipsToPixels(description->ClientWidth));
        height = std::max(height, twipsToPixels(description->ClientHeight));
    }
    kt_page_set_largest_window(width, height);
}

WebWindowSystem::~WebWindowSystem() {
    if (g_page == this)
        g_page = nullptr;
}

bool WebWindowSystem::paintAhead(double scale) const {
    for (const WindowDescription* description : m_everyWindow)
        for (const auto& c : description->controls()) {
            if (c.kind != ControlKind::PictureBox)
                continue;
            if (boxOf(c).paintAhead(scale))
                return true;
        }
    return false;
}

std::unique_ptr<Window> WebWindowSystem::build(const WindowDescription& description,
                                               WindowEvents& events) {
    const int number = m_windowsBuilt++;
    auto window = std::make_unique<WebWindow>(*this, number, description, events);
    m_windows[number] = window.get();
    return window;
}

void WebWindowSystem::reportError(const RuntimeErrorReport& error) {
    kt_page_report_error(std::string(kProgramTitle).c_str(), error.message().c_str());
}

WebWindow* WebWindowSystem::window(int number) const {
    const auto it = m_windows.find(number);
    return it == m_windows.end() ? nullptr : it->second;
}

} // namespace kt::web

// What the page reports, called by its scripts as the module's exports (Module._kt_click and the
// like), with a window's number and a control's place in its description.
extern "C" {

EMSCRIPTEN_KEEPALIVE void kt_click(int window, int control) {
    if (auto* clicked = kt::web::windowNumbered(window))
        clicked->clicked(control);
}

EMSCRIPTEN_KEEPALIVE void kt_closed_by_user(int window) {
    if (auto* closed = kt::web::windowNumbered(window))
        closed->closedByUser();
}

// Paints ahead, at `scale`, one picture box of the windows, while the page has nothing else to
// do, so that the window a click builds finds its pictures ready; 0 when all are painted.
EMSCRIPTEN_KEEPALIVE int kt_paint_ahead(double scale) {
    return kt::web::g_page && kt::web::g_page->paintAhead(scale) ? 1 : 0;
}

// Paints a picture box of a built window into the page's current canvas; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kt_paint(int window, int control, double scale) {
    const auto* painted = kt::web::windowNumbered(window);
    return painted && painted->paint(control, scale) ? 1 : 0;
}
}
