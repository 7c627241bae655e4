#include "tools/picture_generator/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace kt::pictures {

namespace {

struct FaceFile {
    Face face;
    const char* fileName;
};

constexpr std::array<FaceFile, 5> kFaceFiles = {{
    {Face::Serif, "LiberationSerif-Regular.ttf"},
    {Face::SerifBold, "LiberationSerif-Bold.ttf"},
    {Face::SerifItalic, "LiberationSerif-Italic.ttf"},
    {Face::BookItalic, "texgyrepagella-italic.otf"},
    {Face::Sans, "LiberationSans-Regular.ttf"},
}};

// A pixel counts as ink when the outline covers a little more than half of it, or when it
// is the darkest across a stroke thinner than a pixel (the bar of a "t", the tail of a
// comma), which would otherwise vanish.
constexpr int kInkThreshold = 150;
constexpr int kHairlineThreshold = 60;

std::vector<std::uint8_t> twoLevel(const std::vector<std::uint8_t>& coverage, int width, int rows) {
    auto at = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= rows)
            return 0;
        return static_cast<int>(coverage[static_cast<std::size_t>(y * width + x)]);
    };
    std::vector<std::uint8_t> out(coverage.size(), 0);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = at(x, y);
            const bool hairline =
                c >= kHairlineThreshold &&
                ((c > at(x, y - 1) && c > at(x, y + 1)) || (c > at(x - 1, y) && c > at(x + 1, y)));
            if (c >= kInkThreshold || hairline)
                out[static_cast<std::size_t>(y * width + x)] = 255;
        }
    }
    return out;
}

std::string hex(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

} // namespace

struct FontLibrary::Impl {
    FT_Library library = nullptr;
    std::array<FT_Face, kFaceFiles.size()> faces{};
    std::array<std::string, kFaceFiles.size()> files;

    ~Impl() {
        for (FT_Face f : faces)
            if (f)
                FT_Done_Face(f);
        if (library)
            FT_Done_FreeType(library);
    }

    FT_Face face(Face which) const { return faces[static_cast<std::size_t>(which)]; }

    FT_UInt glyphIndex(Face which, char32_t c) const {
        const FT_UInt index = FT_Get_Char_Index(face(which), c);
        if (index == 0)
            throw std::runtime_error(files[static_cast<std::size_t>(which)] + " has no glyph for " +
                                     hex(c));
        return index;
    }
};

FontLibrary::FontLibrary(const std::vector<std::string>& searchDirectories)
    : m_impl(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&m_impl->library) != 0)
        throw std::runtime_error("cannot start FreeType");
    for (std::size_t i = 0; i < kFaceFiles.size(); ++i) {
        std::string path;
        for (const std::string& dir : searchDirectories) {
            const auto candidate = std::filesystem::path(dir) / kFaceFiles[i].fileName;
            if (std::filesystem::exists(candidate)) {
                path = candidate.string();
                break;
            }
        }
        if (path.empty())
            throw std::runtime_error(std::string("font file not found: ") + kFaceFiles[i].fileName);
        if (FT_New_Face(m_impl->library, path.c_str(), 0, &m_impl->faces[i]) != 0)
            throw std::runtime_error("cannot load font " + path);
        m_impl->files[i] = path;
    }
}

FontLibrary::~FontLibrary() = default;

std::string FontLibrary::fileOf(Face face) const {
    return m_impl->files[static_cast<std::size_t>(face)];
}

GlyphBitmap FontLibrary::render(Face face, char32_t c, int pixelSize, bool smooth,
                                double originOffset) const {
    FT_Face f = m_impl->face(face);
    const FT_UInt index = m_impl->glyphIndex(face, c);
    if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        throw std::runtime_error("cannot size " + fileOf(face));
    if (FT_Load_Glyph(f, index, FT_LOAD_TARGET_LIGHT) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + fileOf(face));
    FT_Outline_Translate(&f->glyph->outline, static_cast<FT_Pos>(std::lround(originOffset * 64)),
                         0);
    if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) != 0)
        throw std::runtime_error("cannot render " + hex(c) + " from " + fileOf(face));

    const FT_GlyphSlot slot = f->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    GlyphBitmap out;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.advance = static_cast<double>(slot->linearHoriAdvance) / 65536.0;
    out.coverage.resize(static_cast<std::size_t>(out.width * out.rows));
    for (int y = 0; y < out.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) {
            out.coverage[static_cast<std::size_t>(y * out.width + x)] = row[x];
        }
    }
    if (!smooth)
        out.coverage = twoLevel(out.coverage, out.width, out.rows);
    return out;
}

double FontLibrary::designAdvance(Face face, char32_t c) const {
    FT_Face f = m_impl->face(face);
    if (FT_Load_Glyph(f, m_impl->glyphIndex(face, c), FT_LOAD_NO_SCALE) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + fileOf(face));
    return static_cast<double>(f->glyph->advance.x) / f->units_per_EM;
}

std::optional<InkBox> FontLibrary::inkBox(Face face, char32_t c) const {
    FT_Face f = m_impl->face(face);
    if (FT_Load_Glyph(f, m_impl->glyphIndex(face, c), FT_LOAD_NO_SCALE) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + fileOf(face));
    if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE || f->glyph->outline.n_points == 0)
        return std::nullopt;
    FT_BBox box;
    FT_Outline_Get_BBox(&f->glyph->outline, &box);
    const double em = f->units_per_EM;
    return InkBox{box.xMin / em, box.yMin / em, box.xMax / em, box.yMax / em};
}

} // namespace kt::pictures
