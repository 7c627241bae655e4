#pragma once

#include "ui/web/page_calls.h"
#include "ui/web/picture_canvas.h"
#include "ui/window_system.h"

#include <map>
#include <span>
#include <vector>

namespace kt::web {

class WebWindowSystem;

// A window of the page: a frame with a title bar, and real HTML controls placed in CSS pixels as
// the description places them in twips. The page knows it by its number, the order it was built in.
class WebWindow final : public Window {
public:
    WebWindow(WebWindowSystem& system, int number, const WindowDescription& description,
              WindowEvents& events);
    ~WebWindow() override;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    void show() override;
    void hide() override;
    bool isVisible() const override { return m_visible; }
    std::string caption(ControlId control) const override { return m_captions[placeOf(control)]; }
    void setCaption(ControlId control, std::string_view text, std::string_view spoken) override;
    bool value(ControlId control) const override;

    // What the page reports about the control at `place` in the description.
    void clicked(int place);
    void closedByUser() { m_events.closedByUser(); }
    // Paints a picture box into the page's current canvas; false when the control is none.
    bool paint(int place, double scale) const;

private:
    std::size_t placeOf(ControlId control) const;

    WebWindowSystem& m_system;
    int m_number;
    const WindowDescription& m_description;
    WindowEvents& m_events;
    std::vector<std::string> m_captions;
    std::vector<std::string> m_spoken; // what a screen reader reads for each caption
    std::map<int, PictureCanvas*> m_pictures;
    int m_focusOnShowing = -1; // the first control the Tab key reaches
    bool m_visible = false;
};

class WebWindowSystem final : public WindowSystem {
public:
    // `everyWindow`: the description of every window the program may show; the page shows them
    // all at the one scale at which the largest fits the view, and paints their pictures ahead.
    // What the page reports (a click, a window closed, a picture box to paint) goes to the last
    // one made, and nowhere once it is gone.
    explicit WebWindowSystem(std::span<const WindowDescription* const> everyWindow);
    ~WebWindowSystem() override;

    std::unique_ptr<Window> build(const WindowDescription& description,
                                  WindowEvents& events) override;
    void end(int) override { kt_page_end(); }
    void reportError(const RuntimeErrorReport& error) override;

    // The window the page knows by that number, or nullptr when there is none (any more).
    WebWindow* window(int number) const;
    // Paints ahead, at `scale`, the first picture box of the windows, in the order they come,
    // that was not painted ahead yet; false when there was none left.
    bool paintAhead(double scale) const;

private:
    friend class WebWindow;
    std::span<const WindowDescription* const> m_everyWindow;
    std::map<int, WebWindow*> m_windows;
    int m_windowsBuilt = 0;
};

} // namespace kt::web
