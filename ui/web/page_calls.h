#pragma once

// The calls from the program to the page, written on the page's side in page_calls.js. The page
// keeps one element per window and per control (a window is named by its number, a control by
// its place in the window's description) and one 2D context that is being painted; everything
// it is told is in CSS pixels. Text is UTF-8 ending in a zero byte: a literal or a std::string's
// c_str(), never a std::string_view's data(), which need not end in one.

#include <cstddef>
#include <cstdint>

extern "C" {

// The largest client area of all the windows the program may show, before any is built: the
// page shows every window at the one scale at which that one fits the view.
void kt_page_set_largest_window(int width, int height);
// A hidden window with its title bar and its client area of width × height.
void kt_page_create_window(int window, const char* title, int width, int height);
// Adds a control to the window, after the ones added before it (which is its place in the tab
// order and in the reading order); `kind` names the element the page makes for it, `layer`
// stacks it, higher in front.
void kt_page_add_control(int window, int control, const char* name, const char* kind, int left,
                         int top, int width, int height, int layer, const char* text);
void kt_page_set_font(int window, int control, const char* family, int pixelSize, bool bold,
                      bool italic, bool underline, bool strikethrough);
void kt_page_set_style(int window, int control, const char* colour, const char* alignment);
// What assistive technology calls the window (control -1) or the control, and how it describes
// it; empty texts leave the element's own.
void kt_page_describe(int window, int control, const char* name, const char* description);
void kt_page_set_text(int window, int control, const char* text, const char* spoken);
// Says the text through the page's live region, even when it said the same just before.
void kt_page_announce(const char* text);
bool kt_page_is_checked(int window, int control);
void kt_page_show(int window, int focus);
void kt_page_hide(int window);
void kt_page_end();
void kt_page_report_error(const char* title, const char* message);

// Painting into the current canvas, in its device pixels. An image of the page is known by the
// number these return.
int kt_page_define_image(const std::uint8_t* rgba, std::size_t length, int width, int height);
// A blank image of the page, new (reused -1) or the image `reused` made over, that becomes the
// current canvas until kt_page_end_image(), which makes the one before current again.
int kt_page_begin_image(int width, int height, int reused);
void kt_page_end_image();
void kt_page_fill_rect(double left, double top, double width, double height, const char* colour);
void kt_page_draw_image(int image, double left, double top, double scale);
void kt_page_clip(double left, double top, double width, double height);
void kt_page_unclip();
// The font of the characters drawn after it, until kt_page_unclip().
void kt_page_set_character_font(const char* family, int weight, bool italic, int pixelSize);
void kt_page_draw_character(double scaleX, double scaleY, double x, double y, char16_t character);

// The page's record of the attempt (scorm.js), for a learning platform and the end screen.
// `choices`: the record of the pupil's choices so far, which an attempt left halfway continues
// from. What the platform kept of an earlier attempt, written into `buffer` with a zero byte after
// it: its length, or -1 when it does not fit in `size` bytes.
int kt_page_attempt_saved(char* buffer, std::size_t size);
// Logs once why what the platform kept is not used.
void kt_page_attempt_complain(const char* text);
void kt_page_attempt_started();
// `question` counts from 1, `option` and `rightOption` from 0 (Option1).
void kt_page_attempt_tried(int question, int option, int rightOption, bool right, const char* words,
                           const char* choices);
void kt_page_attempt_result(int mark);
void kt_page_attempt_ended();
}
