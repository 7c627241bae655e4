#include "tools/picture_generator/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <array>
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

std::string hex(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

// The five faces loaded from one list of directories.
struct FaceSet {
    std::array<FT_Face, kFaceFiles.size()> faces{};
    std::array<std::string, kFaceFiles.size()> files;

    void load(FT_Library library, const std::vector<std::string>& directories) {
        for (std::size_t i = 0; i < kFaceFiles.size(); ++i) {
            std::string path;
            for (const std::string& dir : directories) {
                const auto candidate = std::filesystem::path(dir) / kFaceFiles[i].fileName;
                if (std::filesystem::exists(candidate)) {
                    path = candidate.string();
                    break;
                }
            }
            if (path.empty())
                throw std::runtime_error(std::string("font file not found: ") +
                                         kFaceFiles[i].fileName);
            if (FT_New_Face(library, path.c_str(), 0, &faces[i]) != 0)
                throw std::runtime_error("cannot load font " + path);
            files[i] = path;
        }
    }
    void release() {
        for (FT_Face f : faces)
            if (f)
                FT_Done_Face(f);
    }

    FT_Face face(Face which) const { return faces[static_cast<std::size_t>(which)]; }
    const std::string& file(Face which) const { return files[static_cast<std::size_t>(which)]; }

    FT_UInt glyphIndex(Face which, char32_t c) const {
        const FT_UInt index = FT_Get_Char_Index(face(which), c);
        if (index == 0)
            throw std::runtime_error(file(which) + " has no glyph for " + hex(c));
        return index;
    }
};

} // namespace

struct FontLibrary::Impl {
    FT_Library library = nullptr;
    FaceSet outlines; // for metrics and outlines
    FaceSet screen;   // for bitmaps

    ~Impl() {
        outlines.release();
        screen.release();
        if (library)
            FT_Done_FreeType(library);
    }
};

FontLibrary::FontLibrary(const std::vector<std::string>& outlineDirectories,
                         const std::vector<std::string>& screenDirectories)
    : m_impl(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&m_impl->library) != 0)
        throw std::runtime_error("cannot start FreeType");
    m_impl->outlines.load(m_impl->library, outlineDirectories);
    m_impl->screen.load(m_impl->library, screenDirectories);
}

FontLibrary::~FontLibrary() = default;

std::string FontLibrary::fileOf(Face face) const {
    return m_impl->outlines.file(face);
}

GlyphBitmap FontLibrary::render(Face face, char32_t c, int pixelSize, bool smooth) const {
    const FaceSet& set = m_impl->screen;
    FT_Face f = set.face(face);
    const FT_UInt index = set.glyphIndex(face, c);
    const std::string& file = set.file(face);
    if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        throw std::runtime_error("cannot size " + file);
    // The font's own instructions, never the automatic hinter.
    const FT_Int32 target = smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(f, index, target | FT_LOAD_NO_AUTOHINT) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + file);
    if (FT_Render_Glyph(f->glyph, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        throw std::runtime_error("cannot render " + hex(c) + " from " + file);

    const FT_GlyphSlot slot = f->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    GlyphBitmap out;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.coverage.resize(static_cast<std::size_t>(out.width * out.rows));
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (int y = 0; y < out.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) {
            out.coverage[static_cast<std::size_t>(y * out.width + x)] =
                mono ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0) : row[x];
        }
    }
    return out;
}

double FontLibrary::designAdvance(Face face, char32_t c) const {
    FT_Face f = m_impl->outlines.face(face);
    if (FT_Load_Glyph(f, m_impl->outlines.glyphIndex(face, c), FT_LOAD_NO_SCALE) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + fileOf(face));
    return static_cast<double>(f->glyph->advance.x) / f->units_per_EM;
}

std::optional<InkBox> FontLibrary::inkBox(Face face, char32_t c) const {
    FT_Face f = m_impl->outlines.face(face);
    if (FT_Load_Glyph(f, m_impl->outlines.glyphIndex(face, c), FT_LOAD_NO_SCALE) != 0)
        throw std::runtime_error("cannot load " + hex(c) + " from " + fileOf(face));
    if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE || f->glyph->outline.n_points == 0)
        return std::nullopt;
    FT_BBox box;
    FT_Outline_Get_BBox(&f->glyph->outline, &box);
    const double em = f->units_per_EM;
    return InkBox{box.xMin / em, box.yMin / em, box.xMax / em, box.yMax / em};
}

} // namespace kt::pictures
