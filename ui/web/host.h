#pragma once

// The calls from the program to the page. The page keeps one element per window and per control
// (a control is named by its window and its place in the window's description) and one 2D
// context that is being painted; everything it is told is in CSS pixels. Each call is the method
// of the same name of the page script's `ktHost` object (host.js).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

namespace kt::web::host::detail {

// One argument on its way to the page: a number, a flag, or text (UTF-8) or bytes in the
// module's memory, which the page reads from there.
struct Argument {
    enum class Type : std::int32_t { Number, Flag, Text, Bytes };
    Type type;
    std::int32_t length;
    double value; // the number, the flag as 0 or 1, or where the text or the bytes start
};
static_assert(sizeof(Argument) == 16); // as host.cpp reads it

template <typename T>
requires std::is_arithmetic_v<T> Argument toPage(T number) {
    return {std::is_same_v<T, bool> ? Argument::Type::Flag : Argument::Type::Number, 0,
            static_cast<double>(number)};
}
inline Argument toPage(std::string_view text) {
    return {Argument::Type::Text, static_cast<std::int32_t>(text.size()),
            static_cast<double>(reinterpret_cast<std::uintptr_t>(text.data()))};
}
inline Argument toPage(std::span<const std::uint8_t> bytes) {
    return {Argument::Type::Bytes, static_cast<std::int32_t>(bytes.size()),
            static_cast<double>(reinterpret_cast<std::uintptr_t>(bytes.data()))};
}

// Calls the method `method` of the page script's `ktHost` with the arguments, and returns what it
// returns as a number (a flag as 0 or 1, nothing as 0).
double callPage(const char* method, const Argument* arguments, int count);

template <typename Result = void, typename... Arguments>
Result call(const char* method, Arguments... arguments) {
    const std::array<Argument, sizeof...(Arguments)> list{toPage(arguments)...};
    return static_cast<Result>(callPage(method, list.data(), static_cast<int>(list.size())));
}

} // namespace kt::web::host::detail

namespace kt::web::host {

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
// order and in the reading order); `kind` names the element the page makes for it, `layer` stacks
// it, higher in front.
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
    return detail::call<int>("defineImage", std::span(rgba, bytes), width, height);
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
    detail::call("drawCharacter", family, weight, italic, pixelSize, scaleX, scaleY, x, y, ch);
}

} // namespace kt::web::host
