#pragma once

// The one interface between the program and the screen. The program builds windows from their
// descriptions and reaches them only through these calls; each window reports back the click on
// its Command1 and its closing to the events it was built with.

#include "ui/description.h"

#include <memory>
#include <string>
#include <string_view>

namespace kt {

// What one window reports.
class WindowEvents {
public:
    // A click on the window's Command1.
    virtual void commandClicked() = 0;
    // The user closed the window through its frame (title-bar button, window menu, Alt+F4).
    virtual void closedByUser() = 0;

protected:
    ~WindowEvents() = default;
};

// A built window with its controls, reached by their identities.
class Window {
public:
    virtual ~Window() = default;

    // Modeless Show: visible, active, centred on the screen the first time, focus on the
    // control with the lowest tab index that takes the focus.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;

    virtual std::string caption(ControlId control) const = 0;
    // `spoken` is what assistive technology reads for the new caption: the caption itself, or
    // words for what would otherwise be spelt out sign by sign.
    virtual void setCaption(ControlId control, std::string_view text, std::string_view spoken) = 0;
    virtual bool value(ControlId control) const = 0;
};

// A runtime error that ended a handler: reported to the user, then the program ends.
struct RuntimeErrorReport {
    int number = 0;
    std::string_view text;

    // What the user reads, under the program's title (kProgramTitle).
    std::string message() const {
        return "Ошибка выполнения " + std::to_string(number) + ": " + std::string(text) + ".";
    }
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Builds the window hidden, with every control of its description.
    virtual std::unique_ptr<Window> build(const WindowDescription& description,
                                          WindowEvents& events) = 0;
    // Ends the program: no further event reaches the program after this call.
    virtual void end(int exitCode) = 0;
    // Tells the user about an error that stopped a handler. The program ends right after.
    virtual void reportError(const RuntimeErrorReport& error) = 0;
};

} // namespace kt
