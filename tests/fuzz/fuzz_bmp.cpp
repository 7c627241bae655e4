#include "assets/bitmap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = kt::readBmp(std::as_bytes(std::span(data, size)));
    if (!read.ok()) {
        (void)read.error().describe();
        return 0;
    }
    const kt::Bitmap& bmp = read.value();
    if (bmp.width < 1 || bmp.height < 1 ||
        bmp.rgb.size() != static_cast<std::size_t>(bmp.width) * bmp.height * 3)
        std::abort();
    return 0;
}
