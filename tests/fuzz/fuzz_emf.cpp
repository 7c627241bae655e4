#include "assets/metafile.h"
#include "null_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = kt::readEmf(std::as_bytes(std::span(data, size)));
    if (!read.ok()) {
        (void)read.error().describe();
        return 0;
    }
    kt::fuzz::NullCanvas canvas;
    playMetafile(read.value(), 557, 85, canvas);
    return 0;
}
