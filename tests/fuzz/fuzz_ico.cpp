#include "assets/icon.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = kt::readIco(std::as_bytes(std::span(data, size)));
    if (!read.ok()) {
        (void)read.error().describe();
        return 0;
    }
    if (read.value().images.empty())
        std::abort();
    for (const auto& image : read.value().images)
        if (image.width < 1 || image.width > kt::kMaxIconSide || image.height < 1 ||
            image.height > kt::kMaxIconSide ||
            image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
            std::abort();
    return 0;
}
