// The page's program: one Program on the page's window system, started and driven by the page
// script through these exports. The page names a window by the number it was built with.

#include "app/program.h"
#include "ui/web/web_window_system.h"

#include <emscripten/emscripten.h>

namespace {

kt::web::WebWindowSystem& screen() {
    static kt::web::WebWindowSystem system;
    return system;
}

kt::Program& program() {
    static kt::Program instance(screen());
    return instance;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void kt_start() {
    program().start();
}

EMSCRIPTEN_KEEPALIVE void kt_click(int window, int control) {
    if (auto* built = screen().window(window))
        built->clicked(control);
}

EMSCRIPTEN_KEEPALIVE void kt_closed_by_user(int window) {
    if (auto* built = screen().window(window))
        built->closedByUser();
}

// Paints a picture box of a built window into the page's current canvas; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kt_paint(int window, int control, double scale) {
    const auto* built = screen().window(window);
    return built && built->paint(control, scale) ? 1 : 0;
}
}
