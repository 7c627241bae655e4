#pragma once

#include "tools/picture_generator/font_library.h"
#include "tools/picture_generator/rgb_image.h"

#include <array>
#include <string_view>
#include <vector>

namespace kt::pictures {

// A stretch of text in one face. A superscript is drawn smaller and raised (the 2 of м/с²).
struct Span {
    std::string_view text;
    Face face = Face::Serif;
    bool superscript = false;
};
using Spans = std::vector<Span>;

enum class PictureFormat { Bitmap, Metafile };

// A statement bitmap is shown at its own size from the box's inner top-left corner, so its
// letters are placed in pixels.
struct BitmapStatementLayout {
    int width = 0;
    int height = 0;
    std::array<int, 3> baselines{};     // line 1, line 2, choices line
    std::array<int, 3> letterColumns{}; // first inked column of "А.", "Б.", "В."
};

// A statement metafile is stretched over the box's inner area; positions are in its own
// drawing units of 1/600 inch, and its letters stand on fixed tab stops.
struct MetafileStatementLayout {
    int drawingHeight = 0;      // 345 or 351 units
    int frameHeight = 0;        // 0.01 mm
    std::vector<int> baselines; // one per line, the choices line last
};

struct StatementSource {
    std::string_view window;
    std::string_view fileName;
    PictureFormat format = PictureFormat::Bitmap;
    std::string_view number;      // "1." ... "10."
    std::vector<Spans> lines;     // the statement, line by line, above the choices line
    std::array<Spans, 3> choices; // what follows "А. ", "Б. " and "В. "
    BitmapStatementLayout bitmap;
    MetafileStatementLayout metafile;
};

struct GraphPalette {
    Rgb background, grid, ink, line;
};

// One axis of a graph: it runs from 0 to max with a grid line and a tick every step, and a
// value is written at every multiple of valueStep. The time axis writes its 0 under the
// origin; the velocity axis leaves the origin without a value.
struct Axis {
    int max = 0;
    int step = 0;
    int valueStep = 0;
};

enum class LabelPlace {
    RightOfEnd,      // just right of the line's end, centred on it
    AboveEnd,        // centred over the line's end
    AboveRightOfEnd, // diagonally up and right from the end
};

struct GraphLine {
    double t0 = 0, v0 = 0;  // start, in s and m/s
    double t1 = 0, v1 = 0;  // end; the label goes at this end
    std::string_view label; // empty for a graph with a single unnumbered line
    LabelPlace place = LabelPlace::RightOfEnd;
};

struct GraphSource {
    std::string_view window;
    std::string_view fileName;
    int width = 0, height = 0;
    GraphPalette palette;
    Axis time, velocity;
    int originX = 0, originY = 0;      // the pixel where the axes cross
    int cellWidth = 0, cellHeight = 0; // one grid step, in pixels
    std::vector<GraphLine> lines;
    std::string_view caption; // empty on windows whose statement names the figure
};

const std::vector<StatementSource>& statementSources();
const std::vector<GraphSource>& graphSources();

} // namespace kt::pictures
