#pragma once

#include "tools/picture_generator/font_library.h"
#include "tools/picture_generator/rgb_image.h"

#include <string>
#include <string_view>

namespace kt::pictures {

std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text); // characters of the Basic Multilingual Plane
std::u16string toUtf16(std::u32string_view text);

// The rectangle that drawn pixels cover, edges inclusive; empty when nothing was drawn.
struct PixelBox {
    int left = 0, top = 0, right = -1, bottom = -1;

    bool empty() const { return right < left || bottom < top; }
    int width() const { return empty() ? 0 : right - left + 1; }
    int height() const { return empty() ? 0 : bottom - top + 1; }
    void add(int x, int y);
    void add(const PixelBox& other);
    bool intersects(const PixelBox& other) const;
};

struct TextStyle {
    Face face = Face::Serif;
    int pixelSize = 16;
    bool smooth = false; // grey edges; otherwise every pixel is either ink or untouched
    Rgb colour;
    // A letter that would touch the one before moves right, a pixel at a time.
    bool keepApart = false;
};

// Draws text on a pixel grid as a screen does: the pen stands on whole pixels and moves by the
// hinted advances, so every instance of a letter is drawn alike.
class TextPainter {
public:
    explicit TextPainter(const FontLibrary& fonts) : m_fonts(fonts) {}

    // Draws from the pen position on the baseline; returns the pen position after the text.
    // Throws std::runtime_error rather than cut off ink at the picture's edge.
    int draw(RgbImage& image, const TextStyle& style, std::u32string_view text, int penX,
             int baseline, PixelBox* ink = nullptr) const;
    // Where the text's ink would fall if drawn with the pen at (0, baseline 0).
    PixelBox measure(const TextStyle& style, std::u32string_view text) const;

private:
    const FontLibrary& m_fonts;
};

} // namespace kt::pictures
