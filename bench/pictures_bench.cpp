// The picture readers and painters: all sixteen built-in records read, and one box of each kind
// painted into an image of the box's size, as the window paints it (background, then picture).
#include "app/program_description.h"
#include "assets/picture_catalogue.h"
#include "support/no_events.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/picture_painter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace kt;
using namespace kt::qt;

void readAllPictures(benchmark::State& state) {
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPictureCount; ++i) {
            auto picture = loadPicture(static_cast<PictureId>(i));
            if (!picture)
                state.SkipWithError("a built-in picture could not be read");
            benchmark::DoNotOptimize(picture);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPictureCount));
}
BENCHMARK(readAllPictures);

// The box `control` of window `form`, built as the window builds it.
struct BoxOfWindow {
    kt::test::NoEvents events;
    std::unique_ptr<FormWidget> window;
    PictureBox* box = nullptr;

    BoxOfWindow(FormId form, const char* control)
        : window(std::make_unique<FormWidget>(descriptionOf(form), events)),
          box(qobject_cast<PictureBox*>(window->findChild<QWidget*>(control))) {}
};

// What the box's paint event does inside its border: the background, then the picture.
void paintPicture(benchmark::State& state, FormId form, const char* control) {
    BoxOfWindow built(form, control);
    if (!built.box || !built.box->picture()) {
        state.SkipWithError("the box has no picture");
        return;
    }
    const PaintablePicture& picture = *built.box->picture();
    const QRect inner = built.box->innerRect();
    const QColor background = built.box->palette().color(QPalette::Window);
    QImage image(built.box->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(inner, background);
        picture.paint(painter, inner);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.SetLabel(
        QStringLiteral("%1×%2 box").arg(built.box->width()).arg(built.box->height()).toStdString());
}

// The whole box through its paint event: border, background, picture.
void renderBox(benchmark::State& state, FormId form, const char* control) {
    BoxOfWindow built(form, control);
    if (!built.box || !built.box->picture()) {
        state.SkipWithError("the box has no picture");
        return;
    }
    QImage image(built.box->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        built.box->render(&image);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(paintPicture, metafile_Form4_Picture1, FormId::Form4, "Picture1");
BENCHMARK_CAPTURE(paintPicture, metafile_Form3_Picture1, FormId::Form3, "Picture1");
BENCHMARK_CAPTURE(paintPicture, bitmap_Form1_Picture1, FormId::Form1, "Picture1");
BENCHMARK_CAPTURE(paintPicture, bitmap_Form1_Picture2, FormId::Form1, "Picture2");
BENCHMARK_CAPTURE(renderBox, metafile_Form4_Picture1, FormId::Form4, "Picture1");
BENCHMARK_CAPTURE(renderBox, bitmap_Form1_Picture1, FormId::Form1, "Picture1");

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    installBuiltInFonts();
    benchmark::SetDefaultTimeUnit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
