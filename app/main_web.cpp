// The page's program: one Program on the page's window system. The page calls kt_start once its
// faces are in, as a desktop program's main is called.

#include "app/page_attempt_reporter.h"
#include "app/program.h"
#include "app/program_description.h"
#include "ui/web/web_window_system.h"

#include <array>

#include <emscripten/emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE void kt_start() {
    static const auto everyWindow = [] {
        std::array<const kt::WindowDescription*, kt::kFormCount> descriptions{};
        for (std::size_t i = 0; i < descriptions.size(); ++i)
            descriptions[i] = &kt::descriptionOf(kt::kAllForms[i]);
        return descriptions;
    }();
    static kt::web::WebWindowSystem windows(everyWindow);
    static kt::Program program(windows);
    static kt::web::PageAttemptReporter attempt;
    program.setReporter(&attempt);
    program.start(attempt.earlierChoices());
}
