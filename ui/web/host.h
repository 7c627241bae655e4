#pragma once

// The calls from the program to the page. The page keeps one element per window and per control
// (a control is named by its window and its place in the window's description) and one 2D
// context that is being painted; everything it is told is in CSS pixels.

#include <cstdint>
#include <string_view>

namespace kt::web::host {

enum class Element { Picture = 0, Label = 1, Button = 2, Option = 3 };

// The largest client area of all the windows the program may show, before any is built: the
// page shows every window at the one scale at which that one fits the view.
void setLargestWindow(int width, int height);
// A hidden window with its title bar and its client area of width × height.
void createWindow(int window, std::string_view title, int width, int height);
// Adds a control to the window, after the ones added before it (which is its place in the tab
// order and in the reading order); `layer` stacks it, higher in front.
void addControl(int window, int control, std::string_view name, Element kind, int left, int top,
                int width, int height, int layer, std::string_view text);
void setFont(int window, int control, std::string_view family, int pixelSize, bool bold,
             bool italic, bool underline, bool strikethrough);
void setStyle(int window, int control, std::string_view colour, std::string_view alignment);
// What assistive technology calls the window (control -1) or the control, and how it describes
// it; empty strings leave the element's own.
void describe(int window, int control, std::string_view name, std::string_view description);
void setText(int window, int control, std::string_view text, std::string_view spoken);
// Says `text` through the page's live region, even when it said the same just before.
void announce(std::string_view text);
bool isChecked(int window, int control);

void show(int window, int focus);
void hide(int window);
void end();
void reportError(std::string_view title, std::string_view message);

// Painting into the current canvas, in its device pixels.
int defineImage(const std::uint8_t* rgba, int width, int height);
// A blank image of the page, new or the image `again` made over, that becomes the current canvas
// until endImage(), which makes the one before current again.
int beginImage(int width, int height, int again = -1);
void endImage();
void fillRect(double left, double top, double width, double height, std::string_view colour);
void drawImage(int image, double left, double top, double scale);
void clip(double left, double top, double width, double height);
void unclip();
void drawCharacter(std::string_view family, int weight, bool italic, int pixelSize, double scaleX,
                   double scaleY, double x, double y, char16_t ch);

} // namespace kt::web::host
