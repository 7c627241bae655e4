// The page's program: one Program on the page's window system, started and driven by the page
// script through these exports. The page names a window by the number it was built with.

#include "app/page_attempt_reporter.h"
#include "app/program.h"
#include "app/program_description.h"
#include "ui/layout.h"
#include "ui/web/host.h"
#include "ui/web/web_window_system.h"

#include <algorithm>

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

kt::web::PageAttemptReporter& attempt() {
    static kt::web::PageAttemptReporter reporter;
    return reporter;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void kt_start() {
    int width = 0;
    int height = 0;
    for (const kt::FormId form : kt::kAllForms) {
        width = std::max(width, kt::twipsToPixels(kt::descriptionOf(form).ClientWidth));
        height = std::max(height, kt::twipsToPixels(kt::descriptionOf(form).ClientHeight));
    }
    kt::web::host::setLargestWindow(width, height);
    program().setReporter(&attempt());
    program().start(attempt().earlierChoices());
}

EMSCRIPTEN_KEEPALIVE void kt_click(int window, int control) {
    if (auto* built = screen().window(window))
        built->clicked(control);
}

EMSCRIPTEN_KEEPALIVE void kt_closed_by_user(int window) {
    if (auto* built = screen().window(window))
        built->closedByUser();
}

// Paints ahead, at `scale`, one picture box of the windows in the order they come, while the page
// has nothing else to do, so that the window a click builds finds its pictures ready; 0 when all
// are painted.
EMSCRIPTEN_KEEPALIVE int kt_paint_ahead(double scale) {
    for (const kt::FormId form : kt::kAllForms)
        if (kt::web::WebWindowSystem::paintAhead(kt::descriptionOf(form), scale))
            return 1;
    return 0;
}

// Paints a picture box of a built window into the page's current canvas; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kt_paint(int window, int control, double scale) {
    const auto* built = screen().window(window);
    return built && built->paint(control, scale) ? 1 : 0;
}
}
