#include "assets/picture_record.h"
#include "null_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = kt::readPictureRecord(std::as_bytes(std::span(data, size)), "Form1.Picture1");
    if (!read.ok()) {
        (void)read.error().describe();
        return 0;
    }
    if (const auto* metafile = std::get_if<kt::Metafile>(&read.value())) {
        kt::fuzz::NullCanvas canvas;
        playMetafile(*metafile, 601, 57, canvas);
    }
    return 0;
}
