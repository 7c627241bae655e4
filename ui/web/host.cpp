#include "ui/web/host.h"

#include <emscripten/emscripten.h>

// Each call hands its arguments to the page script's `ktHost` object; strings go as a pointer
// into the module's memory and a length in bytes.

// clang-format off
EM_JS(void, kt_set_largest_window, (int width, int height), {
    ktHost.setLargestWindow(width, height);
});
EM_JS(void, kt_create_window, (int number, const char* title, int titleLength, int width, int height), {
    ktHost.createWindow(number, UTF8ToString(title, titleLength), width, height);
});
EM_JS(void, kt_add_control, (int number, int control, const char* name, int nameLength, int kind, int left, int top, int width, int height, int layer, const char* text, int textLength), {
    ktHost.addControl(number, control, UTF8ToString(name, nameLength), kind, left, top, width, height, layer, UTF8ToString(text, textLength));
});
EM_JS(void, kt_set_font, (int number, int control, const char* family, int familyLength, int pixelSize, int bold, int italic, int underline, int strikethrough), {
    ktHost.setFont(number, control, UTF8ToString(family, familyLength), pixelSize, !!bold, !!italic, !!underline, !!strikethrough);
});
EM_JS(void, kt_set_style, (int number, int control, const char* colour, int colourLength, const char* alignment, int alignmentLength), {
    ktHost.setStyle(number, control, UTF8ToString(colour, colourLength), UTF8ToString(alignment, alignmentLength));
});
EM_JS(void, kt_describe, (int number, int control, const char* name, int nameLength, const char* description, int descriptionLength), {
    ktHost.describe(number, control, UTF8ToString(name, nameLength), UTF8ToString(description, descriptionLength));
});
EM_JS(void, kt_set_text, (int number, int control, const char* text, int textLength, const char* spoken, int spokenLength), {
    ktHost.setText(number, control, UTF8ToString(text, textLength), UTF8ToString(spoken, spokenLength));
});
EM_JS(void, kt_announce, (const char* text, int textLength), {
    ktHost.announce(UTF8ToString(text, textLength));
});
EM_JS(int, kt_is_checked, (int number, int control), {
    return ktHost.isChecked(number, control) ? 1 : 0;
});
EM_JS(void, kt_show, (int number, int focus), { ktHost.show(number, focus); });
EM_JS(void, kt_hide, (int number), { ktHost.hide(number); });
EM_JS(void, kt_end, (), { ktHost.end(); });
EM_JS(void, kt_report_error, (const char* title, int titleLength, const char* message, int messageLength), {
    ktHost.reportError(UTF8ToString(title, titleLength), UTF8ToString(message, messageLength));
});
EM_JS(int, kt_define_image, (const std::uint8_t* rgba, int width, int height), {
    return ktHost.defineImage(HEAPU8.slice(rgba, rgba + width * height * 4), width, height);
});
EM_JS(int, kt_begin_image, (int width, int height, int again), {
    return ktHost.beginImage(width, height, again);
});
EM_JS(void, kt_end_image, (), { ktHost.endImage(); });
EM_JS(void, kt_fill_rect, (double left, double top, double width, double height, const char* colour, int colourLength), {
    ktHost.fillRect(left, top, width, height, UTF8ToString(colour, colourLength));
});
EM_JS(void, kt_draw_image, (int image, double left, double top, double scale), {
    ktHost.drawImage(image, left, top, scale);
});
EM_JS(void, kt_clip, (double left, double top, double width, double height), {
    ktHost.clip(left, top, width, height);
});
EM_JS(void, kt_unclip, (), { ktHost.unclip(); });
EM_JS(void, kt_draw_character, (const char* family, int familyLength, int weight, int italic, int pixelSize, double scaleX, double scaleY, double x, double y, int ch), {
    ktHost.drawCharacter(UTF8ToString(family, familyLength), weight, !!italic, pixelSize, scaleX, scaleY, x, y, ch);
});
// clang-format on

namespace {

int size(std::string_view text) {
    return static_cast<int>(text.size());
}

} // namespace

namespace kt::web::host {

void setLargestWindow(int width, int height) {
    kt_set_largest_window(width, height);
}

void createWindow(int window, std::string_view title, int width, int height) {
    kt_create_window(window, title.data(), size(title), width, height);
}

void addControl(int window, int control, std::string_view name, Element kind, int left, int top,
                int width, int height, int layer, std::string_view text) {
    kt_add_control(window, control, name.data(), size(name), static_cast<int>(kind), left, top,
                   width, height, layer, text.data(), size(text));
}

void setFont(int window, int control, std::string_view family, int pixelSize, bool bold,
             bool italic, bool underline, bool strikethrough) {
    kt_set_font(window, control, family.data(), size(family), pixelSize, bold, italic, underline,
                strikethrough);
}

void setStyle(int window, int control, std::string_view colour, std::string_view alignment) {
    kt_set_style(window, control, colour.data(), size(colour), alignment.data(), size(alignment));
}

void describe(int window, int control, std::string_view name, std::string_view description) {
    kt_describe(window, control, name.data(), size(name), description.data(), size(description));
}

void setText(int window, int control, std::string_view text, std::string_view spoken) {
    kt_set_text(window, control, text.data(), size(text), spoken.data(), size(spoken));
}

void announce(std::string_view text) {
    kt_announce(text.data(), size(text));
}

bool isChecked(int window, int control) {
    return kt_is_checked(window, control) != 0;
}

void show(int window, int focus) {
    kt_show(window, focus);
}

void hide(int window) {
    kt_hide(window);
}

void end() {
    kt_end();
}

void reportError(std::string_view title, std::string_view message) {
    kt_report_error(title.data(), size(title), message.data(), size(message));
}

int defineImage(const std::uint8_t* rgba, int width, int height) {
    return kt_define_image(rgba, width, height);
}

int beginImage(int width, int height, int again) {
    return kt_begin_image(width, height, again);
}

void endImage() {
    kt_end_image();
}

void fillRect(double left, double top, double width, double height, std::string_view colour) {
    kt_fill_rect(left, top, width, height, colour.data(), size(colour));
}

void drawImage(int image, double left, double top, double scale) {
    kt_draw_image(image, left, top, scale);
}

void clip(double left, double top, double width, double height) {
    kt_clip(left, top, width, height);
}

void unclip() {
    kt_unclip();
}

void drawCharacter(std::string_view family, int weight, bool italic, int pixelSize, double scaleX,
                   double scaleY, double x, double y, char16_t ch) {
    kt_draw_character(family.data(), size(family), weight, italic, pixelSize, scaleX, scaleY, x, y,
                      ch);
}

} // namespace kt::web::host
