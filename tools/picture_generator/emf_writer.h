#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kt::pictures {

// A font as a metafile records it: always 100 units high, Cyrillic character set.
struct EmfFont {
    std::u16string faceName;
    std::int32_t weight = 400;
    bool italic = false;
    std::uint8_t pitchAndFamily = 0x12; // variable pitch, Roman

    friend bool operator==(const EmfFont&, const EmfFont&) = default;
};

struct EmfTextRun {
    EmfFont font;
    std::int32_t x = 0; // reference point: the left end of the baseline
    std::int32_t y = 0;
    std::u16string text;
    std::vector<std::int32_t> advances; // one per UTF-16 unit, in drawing units
};

struct EmfRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A text-only picture. Drawing units are reference-device pixels, 1/600 inch.
struct EmfTextPicture {
    std::int32_t width = 0;  // drawing space across
    std::int32_t height = 0; // and down
    EmfRect frame;           // 0.01 mm, inclusive
    EmfRect bounds;          // drawing units, inclusive: where ink falls
    std::vector<EmfTextRun> runs;
};

inline constexpr std::int32_t kEmfFontHeight = 100;
inline constexpr std::uint8_t kEmfCyrillicCharset = 204;

// Writes the picture as an EMF file with inert EMF+ comments around plain text records:
// header; EMF+ header and settings; text alignment, window origin and extent; the stock
// font; the runs, each preceded where its font changes by the background mode, the font's
// creation on first use and its selection (the text colour once, before the first run);
// the stock font again; EMF+ world transform and end of file; EMR_EOF.
std::vector<std::byte> writeEmf(const EmfTextPicture& picture);

} // namespace kt::pictures
