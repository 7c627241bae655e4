// What the page reports, called by its scripts as the module's exports (Module._kt_click and the
// like). The page names a window by the number it was built with and a control by its place in
// the window's description.

#include "ui/web/web_window_system.h"

#include <emscripten/emscripten.h>

namespace {

kt::web::WebWindowSystem* g_windows = nullptr;

kt::web::WebWindow* windowNumbered(int number) {
    return g_windows ? g_windows->window(number) : nullptr;
}

} // namespace

void kt::web::receivePageEvents(WebWindowSystem& windows) {
    g_windows = &windows;
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void kt_click(int window, int control) {
    if (auto* clicked = windowNumbered(window))
        clicked->clicked(control);
}

EMSCRIPTEN_KEEPALIVE void kt_closed_by_user(int window) {
    if (auto* closed = windowNumbered(window))
        closed->closedByUser();
}

// Paints ahead, at `scale`, one picture box of the windows, while the page has nothing else to
// do, so that the window a click builds finds its pictures ready; 0 when all are painted.
EMSCRIPTEN_KEEPALIVE int kt_paint_ahead(double scale) {
    return g_windows && g_windows->paintAhead(scale) ? 1 : 0;
}

// Paints a picture box of a built window into the page's current canvas; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kt_paint(int window, int control, double scale) {
    const auto* painted = windowNumbered(window);
    return painted && painted->paint(control, scale) ? 1 : 0;
}
}
