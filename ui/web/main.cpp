// The page's program: one Program on the page's window system, started and driven by the host
// script through these exports.

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

bool isForm(int form) {
    return form >= 0 && form < static_cast<int>(kt::kFormCount);
}

kt::FormId formOf(int form) {
    return kt::formAt(static_cast<std::size_t>(form));
}

const kt::web::WebWindow* builtWindow(int form) {
    return isForm(form) ? screen().window(formOf(form)) : nullptr;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void kt_start() {
    program().start();
}

EMSCRIPTEN_KEEPALIVE void kt_click(int form, int control) {
    const auto* window = builtWindow(form);
    if (window && window->isCommand1(control))
        program().Command1_Click(formOf(form));
}

EMSCRIPTEN_KEEPALIVE void kt_closed_by_user(int form) {
    if (isForm(form))
        program().closedByUser(formOf(form));
}

// Paints a picture box of a built window into the page's current canvas; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kt_paint(int form, int control, double scale) {
    const auto* window = builtWindow(form);
    return window && window->paint(control, scale) ? 1 : 0;
}
}
