#pragma once

#include "ui/web/web_window_system.h"

namespace kt::web {

// Sends what the page reports (a click, a window closed, a picture box to paint) to the windows of
// `windows`, which must outlive the page's use of them. Before it, the page's reports find no
// window.
void receivePageEvents(WebWindowSystem& windows);

} // namespace kt::web
