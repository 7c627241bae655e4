#include "ui/web/host.h"

#include <emscripten/emscripten.h>

// The one way into the page script: the arguments are read as host.h lays them out, text and
// bytes from the module's memory, and handed to the `ktHost` method named.

// clang-format off
EM_JS(double, kt_call_page, (const char* method, const kt::web::host::detail::Argument* list, int count), {
    const values = []; // types 0 to 3 as in Argument::Type: number, flag, text, bytes
    for (let i = 0; i < count; ++i) {
        const type = HEAP32[(list >> 2) + 4 * i];
        const length = HEAP32[(list >> 2) + 4 * i + 1];
        const value = HEAPF64[(list >> 3) + 2 * i + 1];
        values.push(type === 0 ? value : type === 1 ? value !== 0
            : type === 2 ? UTF8ToString(value, length) : HEAPU8.subarray(value, value + length));
    }
    // The names are string literals, so each is read once.
    const names = Module.ktMethods || (Module.ktMethods = {});
    const name = names[method] || (names[method] = UTF8ToString(method));
    return +ktHost[name].apply(ktHost, values) || 0;
});
// clang-format on

namespace kt::web::host::detail {

double callPage(const char* method, const Argument* arguments, int count) {
    return kt_call_page(method, arguments, count);
}

} // namespace kt::web::host::detail
