#pragma once

#include "tools/picture_generator/emf_writer.h"
#include "tools/picture_generator/font_library.h"
#include "tools/picture_generator/question_sources.h"
#include "tools/picture_generator/rgb_image.h"

namespace kt::pictures {

inline constexpr Rgb kStatementBackground = {221, 221, 221};
inline constexpr Rgb kStatementInk = {0, 0, 0};

// The statement as a bitmap: 16-pixel serif text, the regular text two-level black, the bold
// choice letters with grey edges, each letter's first stroke in its layout column. Throws
// std::runtime_error when text would leave the picture or run into the next choice.
RgbImage renderStatementBitmap(const StatementSource& source, const FontLibrary& fonts);

// The statement as text runs in metafile units: 100 units high, each character advanced by
// its face's design width, the choice letters on the tab stops at 590, 1475 and 2360.
EmfTextPicture buildStatementMetafile(const StatementSource& source, const FontLibrary& fonts);

inline constexpr int kMetafileWidth = 3898;
inline constexpr int kMetafileFrameWidth = 16500;
inline constexpr std::array<int, 3> kMetafileLetterStops = {590, 1475, 2360};

} // namespace kt::pictures
