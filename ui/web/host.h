#pragma once

// The calls from the program to the page. The page keeps one element per window and per control
// (a control is named by its window and its place in the window's description) and one 2D
// context that is being painted; everything it is told is in CSS pixels. Each call is the method
// of the same name of the page script's `ktHost` object (host.js).

#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kt::web::host {

namespace detail {

// A string goes to the page as a copy; numbers and flags as they are.
inline std::string toPage(std::string_view text) {
    return std::string(text);
}
template <typename T> T toPage(T value) {
    return value;
}

inline const emscripten::val& page() {
    static const emscripten::val host = emscripten::val::global("ktHost");
    return host;
}

template <typename Result = void, typename... Arguments>
Result call(const char* method, Arguments... arguments) {
    return page().call<Result>(method, toPage(arguments)...);
}

} // namespace detail

// The element the page makes for a control, by the name host.js knows it by.
namespace element {
inline constexpr std::string_view kPicture = "picture";
inline constexpr std::string_view kLabel = "label";
inline constexpr std::string_view kButton = "button";
inline constexpr std::string_view kOption = "option";
} // namespace element

// The largest client area of all the windows the program may show, before any is built: the
// page shows every window at the one scale at which that one fits the view.
inline void setLargestWindow(int width, int height) {
    detail::call("setLargestWindow", width, height);
}
// A hidden window with its title bar and its client area of width × height.
inline void createWindow(int window, std::string_view title, int width, int height) {
    detail::call("createWindow", window, title, width, height);
}
// Adds a control to the window, after the ones added before it (which is its place in the tab
// order and in the reading order); `kind` is one of `element`, `layer` stacks it, higher in front.
inline void addControl(int window, int control, std::string_view name, std::string_view kind,
                       int left, int top, int width, int height, int layer, std::string_view text) {
    detail::call("addControl", window, control, name, kind, left, top, width, height, layer, text);
}
inline void setFont(int window, int control, std::string_view family, int pixelSize, bool bold,
                    bool italic, bool underline, bool strikethrough) {
    detail::call("setFont", window, control, family, pixelSize, bold, italic, underline,
                 strikethrough);
}
inline void setStyle(int window, int control, std::string_view colour, std::string_view alignment) {
    detail::call("setStyle", window, control, colour, alignment);
}
// What assistive technology calls the window (control -1) or the control, and how it describes
// it; empty strings leave the element's own.
inline void describe(int window, int control, std::string_view name, std::string_view description) {
    detail::call("describe", window, control, name, description);
}
inline void setText(int window, int control, std::string_view text, std::string_view spoken) {
    detail::call("setText", window, control, text, spoken);
}
// Says `text` through the page's live region, even when it said the same just before.
inline void announce(std::string_view text) {
    detail::call("announce", text);
}
inline bool isChecked(int window, int control) {
    return detail::call<bool>("isChecked", window, control);
}

inline void show(int window, int focus) {
    detail::call("show", window, focus);
}
inline void hide(int window) {
    detail::call("hide", window);
}
inline void end() {
    detail::call("end");
}
inline void reportError(std::string_view title, std::string_view message) {
    detail::call("reportError", title, message);
}

// Painting into the current canvas, in its device pixels.
inline int defineImage(const std::uint8_t* rgba, int width, int height) {
    const auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    return detail::call<int>(
        "defineImage", emscripten::val(emscripten::typed_memory_view(bytes, rgba)), width, height);
}
// A blank image of the page, new or the image `again` made over, that becomes the current canvas
// until endImage(), which makes the one before current again.
inline int beginImage(int width, int height, int again = -1) {
    return detail::call<int>("beginImage", width, height, again);
}
inline void endImage() {
    detail::call("endImage");
}
inline void fillRect(double left, double top, double width, double height,
                     std::string_view colour) {
    detail::call("fillRect", left, top, width, height, colour);
}
inline void drawImage(int image, double left, double top, double scale) {
    detail::call("drawImage", image, left, top, scale);
}
inline void clip(double left, double top, double width, double height) {
    detail::call("clip", left, top, width, height);
}
inline void unclip() {
    detail::call("unclip");
}
inline void drawCharacter(std::string_view family, int weight, bool italic, int pixelSize,
                          double scaleX, double scaleY, double x, double y, char16_t ch) {
    detail::call("drawCharacter", family, weight, italic, pixelSize, scaleX, scaleY, x, y,
                 static_cast<int>(ch));
}

} // namespace kt::web::host
