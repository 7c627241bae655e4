#include "tools/picture_generator/text_painter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kt::pictures {

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0F;
            extra = 2;
        } else {
            throw std::invalid_argument("text outside the Basic Multilingual Plane or not UTF-8");
        }
        if (i + static_cast<std::size_t>(extra) >= text.size())
            throw std::invalid_argument("truncated UTF-8");
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                throw std::invalid_argument("bad UTF-8 continuation");
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
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
