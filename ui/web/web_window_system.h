#pragma once

#include "ui/web/picture_canvas.h"
#include "ui/window_system.h"

#include <map>
#include <optional>
#include <vector>

namespace kt::web {

// A window of the page: a frame with a title bar, and real HTML controls placed in CSS pixels
// as the description places them in twips. Controls are named by their place in the
// description when the page reports back.
class WebWindow final : public Window {
public:
    WebWindow(FormId form, const WindowDescription& description);

    void show() override;
    void hide() override;
    bool isVisible() const override { return m_visible; }
    std::string caption(std::string_view control) const override;
    void setCaption(std::string_view control, std::string_view text) override;
    bool value(std::string_view control) const override;

    // Paints a picture box into the page's current canvas; false when the control is none.
    bool paint(int control, double scale) const;
    // Whether the control at that place of the description is the one whose click the program
    // handles.
    bool isCommand1(int control) const;

private:
    int indexOf(std::string_view control) const;

    FormId m_form;
    const WindowDescription& m_description;
    std::vector<std::string> m_captions;
    std::map<int, PictureCanvas> m_pictures;
    int m_focus = -1;
    bool m_visible = false;
};

class WebWindowSystem final : public WindowSystem {
public:
    std::unique_ptr<Window> build(FormId form, const WindowDescription& description,
                                  WindowEvents& events) override;
    void end(int exitCode) override;
    void reportError(const RuntimeErrorReport& error) override;

    // The built window of a form, or nullptr when it was never built.
    const WebWindow* window(FormId form) const;

private:
    std::map<FormId, const WebWindow*> m_windows;
};

} // namespace kt::web
