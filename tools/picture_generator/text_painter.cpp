#include "tools/picture_generator/text_painter.h"

#include "assets/unicode.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kt::pictures {

std::u32string decodeUtf8(std::string_view text) {
    auto decoded = kt::decodeUtf8(text);
    if (!decoded)
        throw std::invalid_argument("text that is not UTF-8");
    return *std::move(decoded);
}

std::string encodeUtf8(std::u32string_view text) {
    return utf8FromUtf32(text);
}

std::u16string toUtf16(std::u32string_view text) {
    std::u16string out;
    for (char32_t c : text) {
        if (c > 0xFFFF)
            throw std::invalid_argument("character outside the Basic Multilingual Plane");
        out.push_back(static_cast<char16_t>(c));
    }
    return out;
}

void PixelBox::add(int x, int y) {
    if (empty()) {
        left = right = x;
        top = bottom = y;
        return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
}

void PixelBox::add(const PixelBox& other) {
    if (other.empty())
        return;
    add(other.left, other.top);
    add(other.right, other.bottom);
}

bool PixelBox::intersects(const PixelBox& other) const {
    return !empty() && !other.empty() && left <= other.right && other.left <= right &&
           top <= other.bottom && other.top <= bottom;
}

namespace {

std::uint8_t mix(std::uint8_t under, std::uint8_t over, int alpha) {
    return static_cast<std::uint8_t>((under * (255 - alpha) + over * alpha + 127) / 255);
}

} // namespace

double TextPainter::draw(RgbImage& image, const TextStyle& style, std::u32string_view text,
                         double penX, int baseline, PixelBox* ink) const {
    for (char32_t c : text) {
        const int originX = static_cast<int>(std::floor(penX));
        const GlyphBitmap glyph =
            m_fonts.render(style.face, c, style.pixelSize, style.smooth, penX - originX);
        for (int y = 0; y < glyph.rows; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                const int alpha = glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)];
                if (alpha == 0)
                    continue;
                const int px = originX + glyph.left + x;
                const int py = baseline - glyph.top + y;
                if (!image.contains(px, py))
                    throw std::runtime_error("\"" + encodeUtf8(text) + "\" leaves the picture");
                const Rgb under = image.at(px, py);
                image.set(px, py,
                          {mix(under.r, style.colour.r, alpha), mix(under.g, style.colour.g, alpha),
                           mix(under.b, style.colour.b, alpha)});
                if (ink)
                    ink->add(px, py);
            }
        }
        penX += glyph.advance;
    }
    return penX;
}

PixelBox TextPainter::measure(const TextStyle& style, std::u32string_view text) const {
    PixelBox box;
    double penX = 0;
    for (char32_t c : text) {
        const int originX = static_cast<int>(std::floor(penX));
        const GlyphBitmap glyph =
            m_fonts.render(style.face, c, style.pixelSize, style.smooth, penX - originX);
        for (int y = 0; y < glyph.rows; ++y)
            for (int x = 0; x < glyph.width; ++x)
                if (glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] != 0)
                    box.add(originX + glyph.left + x, -glyph.top + y);
        penX += glyph.advance;
    }
    return box;
}

} // namespace kt::pictures
