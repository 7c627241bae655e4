// The page's side of the calls page_calls.h declares, given to the linker with --js-library: each
// reads its text from the module's memory and hands the call to the page script that does it.
// Debian 12's emscripten (3.1.6) knows mergeInto, not yet addToLibrary, and takes its library
// functions only in `function` form.
mergeInto(LibraryManager.library, {
  kt_page_set_largest_window: function (width, height) { ktFit.setLargest(width, height); },
  kt_page_create_window: function (form, title, width, height) { ktWindows.create(form, UTF8ToString(title), width, height); },
  kt_page_add_control: function (form, control, name, kind, left, top, width, height, layer, text) {
    ktWindows.addControl(form, control, UTF8ToString(name), UTF8ToString(kind), left, top, width, height,
      layer, UTF8ToString(text));
  },
  kt_page_set_font: function (form, control, family, pixelSize, bold, italic, underline, strikethrough) {
    ktWindows.setFont(form, control, UTF8ToString(family), pixelSize, bold, italic, underline, strikethrough);
  },
  kt_page_set_style: function (form, control, colour, alignment) {
    ktWindows.setStyle(form, control, UTF8ToString(colour), UTF8ToString(alignment));
  },
  kt_page_describe: function (form, control, name, description) {
    ktWindows.describe(form, control, UTF8ToString(name), UTF8ToString(description));
  },
  kt_page_set_text: function (form, control, text, spoken) {
    ktWindows.setText(form, control, UTF8ToString(text), UTF8ToString(spoken));
  },
  kt_page_announce: function (text) { ktWindows.announce(UTF8ToString(text)); },
  kt_page_is_checked: function (form, control) { return ktWindows.isChecked(form, control); },
  kt_page_show: function (form, focus) { ktWindows.show(form, focus); },
  kt_page_hide: function (form) { ktWindows.hide(form); },
  kt_page_end: function () { ktWindows.end(); },
  kt_page_report_error: function (title, message) { ktWindows.reportError(UTF8ToString(title), UTF8ToString(message)); },
  kt_page_define_image: function (rgba, length, width, height) {
    return ktPainter.defineImage(HEAPU8.subarray(rgba, rgba + length), width, height);
  },
  kt_page_begin_image: function (width, height, reused) { return ktPainter.beginImage(width, height, reused); },
  kt_page_end_image: function () { ktPainter.endImage(); },
  kt_page_fill_rect: function (left, top, width, height, colour) {
    ktPainter.fillRect(left, top, width, height, UTF8ToString(colour));
  },
  kt_page_draw_image: function (image, left, top, scale) { ktPainter.drawImage(image, left, top, scale); },
  kt_page_clip: function (left, top, width, height) { ktPainter.clip(left, top, width, height); },
  kt_page_unclip: function () { ktPainter.unclip(); },
  kt_page_set_character_font: function (family, weight, italic, pixelSize) {
    ktPainter.setCharacterFont(UTF8ToString(family), weight, italic, pixelSize);
  },
  kt_page_draw_character: function (scaleX, scaleY, x, y, character) {
    ktPainter.drawCharacter(scaleX, scaleY, x, y, character);
  },
  kt_page_attempt_saved: function (buffer, size) {
    const text = ktAttempt.saved();
    const length = lengthBytesUTF8(text);
    if (length >= size) return -1;
    stringToUTF8(text, buffer, size);
    return length;
  },
  kt_page_attempt_complain: function (text) { ktAttempt.complain(UTF8ToString(text)); },
  kt_page_attempt_started: function () { ktAttempt.started(); },
  kt_page_attempt_tried: function (question, option, rightOption, right, words, choices) {
    ktAttempt.tried(question, option, rightOption, right, UTF8ToString(words), UTF8ToString(choices));
  },
  kt_page_attempt_result: function (mark) { ktAttempt.result(mark); },
  kt_page_attempt_ended: function () { ktAttempt.ended(); },
});
