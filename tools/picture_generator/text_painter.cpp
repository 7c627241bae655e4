#include "tools/picture_generator/text_painter.h"

#include "assets/unicode.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

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

struct Dot {
    int x = 0, y = 0;
    int alpha = 0;
};

struct SetText {
    std::vector<Dot> dots; // with the pen at (0, baseline 0)
    int end = 0;           // the pen after the text
};

// The most a letter is moved to keep it from touching the one before.
constexpr int kMostApart = 3;

SetText setText(const FontLibrary& fonts, const TextStyle& style, std::u32string_view text) {
    SetText out;
    std::set<std::pair<int, int>> inked;
    auto touches = [&](const std::vector<Dot>& glyph, int shift) {
        for (const Dot& d : glyph)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (inked.count({d.x + shift + dx, d.y + dy}))
                        return true;
        return false;
    };
    for (char32_t c : text) {
        const GlyphBitmap glyph = fonts.render(style.face, c, style.pixelSize, style.smooth);
        std::vector<Dot> dots;
        for (int y = 0; y < glyph.rows; ++y)
            for (int x = 0; x < glyph.width; ++x)
                if (const int alpha = glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)])
                    dots.push_back({out.end + glyph.left + x, y - glyph.top, alpha});
        int shift = 0;
        while (style.keepApart && shift < kMostApart && touches(dots, shift))
            ++shift;
        for (Dot& d : dots) {
            d.x += shift;
            inked.insert({d.x, d.y});
            out.dots.push_back(d);
        }
        out.end += glyph.advance + shift;
    }
    return out;
}

} // namespace

int TextPainter::draw(RgbImage& image, const TextStyle& style, std::u32string_view text, int penX,
                      int baseline, PixelBox* ink) const {
    const SetText set = setText(m_fonts, style, text);
    for (const Dot& d : set.dots) {
        const int px = penX + d.x, py = baseline + d.y;
        if (!image.contains(px, py))
            throw std::runtime_error("\"" + encodeUtf8(text) + "\" leaves the picture");
        const Rgb under = image.at(px, py);
        image.set(px, py,
                  {mix(under.r, style.colour.r, d.alpha), mix(under.g, style.colour.g, d.alpha),
                   mix(under.b, style.colour.b, d.alpha)});
        if (ink)
            ink->add(px, py);
    }
    return penX + set.end;
}

PixelBox TextPainter::measure(const TextStyle& style, std::u32string_view text) const {
    PixelBox box;
    for (const Dot& d : setText(m_fonts, style, text).dots)
        box.add(d.x, d.y);
    return box;
}

} // namespace kt::pictures
