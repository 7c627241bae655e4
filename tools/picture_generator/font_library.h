#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kt::pictures {

// The faces the pictures use, each loaded from its own file so that the result does not
// depend on which fonts the machine has registered. Liberation Serif and Sans have the
// metrics of Times New Roman and Arial; TeX Gyre Pagella stands in for Book Antiqua.
enum class Face { Serif, SerifBold, SerifItalic, BookItalic, Sans };

struct GlyphBitmap {
    int left = 0; // from the pen position to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage; // rows from the top, 0 (none) to 255 (full)
    int advance = 0;                    // the hinted pen movement, in whole pixels
};

// A glyph's outline extent in em units, y upward from the baseline.
struct InkBox {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

class FontLibrary {
public:
    // Loads every face twice: the outlines that metafile text is measured with, and the faces
    // that bitmaps are drawn from (the same metrics, hinted for the screen). Throws
    // std::runtime_error naming the file that is missing.
    FontLibrary(const std::vector<std::string>& outlineDirectories,
                const std::vector<std::string>& screenDirectories);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // Renders for this pixel size with the origin on a whole pixel, hinted by the font's own
    // instructions as a screen draws small text. Without smooth the target is monochrome: every
    // pixel is ink or not, and the instructions fit stems and advances to whole pixels in both
    // directions, so a letter comes out the same wherever it stands. With smooth set, edges are
    // grey. Throws when the face has no glyph.
    GlyphBitmap render(Face face, char32_t c, int pixelSize, bool smooth) const;

    // The outline's advance as a fraction of the em, as the design states it.
    double designAdvance(Face face, char32_t c) const;
    // The outline's extent; empty for a glyph that draws nothing (the space).
    std::optional<InkBox> inkBox(Face face, char32_t c) const;

    std::string fileOf(Face face) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kt::pictures
