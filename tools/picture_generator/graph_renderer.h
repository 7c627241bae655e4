#pragma once

#include "tools/picture_generator/font_library.h"
#include "tools/picture_generator/question_sources.h"
#include "tools/picture_generator/rgb_image.h"

namespace kt::pictures {

// A velocity-time graph: green grid, axes with arrowheads, ticks and values, violet lines two
// pixels thick, line labels and caption. Every pixel takes one of the palette's four colours.
// Throws std::runtime_error when text would leave the picture, overlap other text or touch a
// line.
RgbImage renderGraph(const GraphSource& source, const FontLibrary& fonts);

} // namespace kt::pictures
