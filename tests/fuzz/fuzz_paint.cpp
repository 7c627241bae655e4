// Plays fuzzed pictures through the program's own Qt painting: a metafile's text through the
// painter's fonts and transforms, a bitmap through its conversion and drawing. On an offscreen
// image, so no display is needed.
#include "assets/picture_record.h"
#include "ui/qt/picture_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

// Fontconfig keeps what it looks up for every new family name it is asked for, and its caches
// look like leaks to the sanitizer; they are not ours to find.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz_paint";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics are gone by the time the fuzzer's exit would destroy it.
    static auto* application = new QGuiApplication(argc, argv);
    (void)application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = std::as_bytes(std::span(data, size));
    if (auto read = kt::readPictureRecord(bytes, "Form1.Picture1"); read.ok()) {
        // A statement box's inner area, as the windows have it at 100 %.
        QImage box(557, 85, QImage::Format_RGB32);
        box.fill(Qt::white);
        QPainter painter(&box);
        kt::qt::PaintablePicture(std::move(read.value())).paint(painter, box.rect());
    }
    return 0;
}
