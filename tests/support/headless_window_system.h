#pragma once

// A window system without a screen: it keeps what the program writes, lets a test choose
// options and click, and records how the program ended.

#include "runtime/form_id.h"
#include "ui/window_system.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kt::test {

class HeadlessWindow final : public Window {
public:
    HeadlessWindow(const WindowDescription& description, WindowEvents& events);

    void show() override;
    void hide() override;
    bool isVisible() const override { return m_visible; }
    std::string caption(ControlId control) const override;
    void setCaption(ControlId control, std::string_view text, std::string_view spoken) override;
    bool value(ControlId control) const override;

    // What the pupil does: choose an option (clearing the others of the group), click Command1.
    void choose(ControlId option);
    void clickCommand1();
    void close();

    int showCount() const { return m_showCount; }

private:
    struct Control {
        ControlKind kind;
        std::string caption;
        bool value = false;
    };
    const Control& find(ControlId id) const;
    Control& find(ControlId id);

    WindowEvents& m_events;
    std::map<ControlId, Control> m_controls;
    bool m_visible = false;
    int m_showCount = 0;
};

class HeadlessWindowSystem final : public WindowSystem {
public:
    std::unique_ptr<Window> build(const WindowDescription& description,
                                  WindowEvents& events) override;
    void end(int exitCode) override { m_exitCode = exitCode; }
    void reportError(const RuntimeErrorReport& error) override {
        m_errors.push_back(std::string(error.text));
    }

    // The built window of a form, or nullptr when it was never built.
    HeadlessWindow* window(FormId form) const;
    std::vector<FormId> buildOrder() const;
    std::optional<int> exitCode() const { return m_exitCode; }
    const std::vector<std::string>& errors() const { return m_errors; }

private:
    std::map<const WindowDescription*, HeadlessWindow*> m_windows;
    std::vector<const WindowDescription*> m_buildOrder;
    std::optional<int> m_exitCode;
    std::vector<std::string> m_errors;
};

} // namespace kt::test
