#include "ui/web/picture_canvas.h"

#include "assets/metafile_player.h"
#include "assets/picture_catalogue.h"
#include "program_identity.h"
#include "ui/picture_frame.h"
#include "ui/web/colours.h"
#include "ui/web/page_calls.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace kt::web {

namespace {

// Draws each character through a transform that stretches the metafile's drawing units over the
// box, so the glyphs narrow with the advances that place them. Lives between the clip and the
// unclip of one box, which restores the canvas's font: the font it set is known until then.
class CanvasText final : public TextCanvas {
public:
    CanvasText(double left, double top) : m_left(left), m_top(top) {}

    void drawCharacter(const MetafileFont& font, double x, double y, double height, double scaleX,
                       double scaleY, char16_t character) override {
        if (scaleX <= 0 || scaleY <= 0)
            return;
        useFont(font, fontPixelSize(height / scaleY));
        kt_page_draw_character(scaleX, scaleY, m_left + x, m_top + y, character);
    }

private:
    void useFont(const MetafileFont& font, int pixelSize) {
        if (m_current && *m_current == font && m_pixelSize == pixelSize)
            return;
        kt_page_set_character_font(font.face.c_str(), font.weight >= 600 ? 700 : 400, font.italic,
                                   pixelSize);
        m_current = font;
        m_pixelSize = pixelSize;
    }

    double m_left;
    double m_top;
    std::optional<MetafileFont> m_current;
    int m_pixelSize = 0;
};

// By FrameColour.
constexpr const char* kFrameColours[] = {kFrameDark, kFrameLight, kFrameShadow, kFrameMidlight,
                                         kFrameLine};
static_assert(std::size(kFrameColours) == kFrameColourCount);

} // namespace

PictureCanvas::PictureCanvas(PictureId picture, PictureBorder border, int width, int height)
    : m_border(border), m_width(width), m_height(height) {
    if (picture == PictureId::None)
        return;
    auto loaded = loadPicture(picture);
    if (!loaded) { // the box stays empty; the rest of the window still works
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(kProgramName.size()),
                     kProgramName.data(), loaded.error().describe().c_str());
        return;
    }
    Picture& read = loaded.value();
    if (auto* metafile = std::get_if<Metafile>(&read)) {
        m_metafile.emplace(std::move(*metafile));
        return;
    }
    // The bitmap itself is not kept: the page has its copy.
    const auto& bitmap = std::get<Bitmap>(read);
    std::vector<std::uint8_t> rgba(bitmap.rgb.size() / 3 * 4, 255);
    for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel)
        for (std::size_t channel = 0; channel < 3; ++channel)
            rgba[pixel * 4 + channel] = bitmap.rgb[pixel * 3 + channel];
    m_bitmapImage = kt_page_define_image(rgba.data(), rgba.size(), bitmap.width, bitmap.height);
}

void PictureCanvas::paint(double scale) const {
    if (m_paintedBox >= 0 && m_paintedScale == scale) {
        kt_page_draw_image(m_paintedBox, 0, 0, 1);
        return;
    }
    draw(scale);
}

bool PictureCanvas::paintAhead(double scale) {
    if (m_paintedBox >= 0 && m_paintedScale == scale)
        return false;
    m_paintedBox =
        kt_page_begin_image(static_cast<int>(std::round(m_width * scale)),
                            static_cast<int>(std::round(m_height * scale)), m_paintedBox);
    draw(scale);
    kt_page_end_image();
    m_paintedScale = scale;
    return true;
}

void PictureCanvas::draw(double scale) const {
    // Whole device pixels per line, so that the frame stays crisp at any zoom.
    const int unit = std::max(1, static_cast<int>(std::round(scale)));
    const int width = static_cast<int>(std::round(m_width * scale));
    const int height = static_cast<int>(std::round(m_height * scale));
    const PictureFrame frame = pictureFrame(m_border, width, height, unit);
    for (std::size_t i = 0; i < frame.count; ++i) {
        const auto& [r, colour] = frame.pieces[i];
        kt_page_fill_rect(r.left, r.top, r.width, r.height,
                          kFrameColours[static_cast<std::size_t>(colour)]);
    }
    const double border = frameLines(m_border) * unit;
    const double innerWidth = width - 2 * border;
    const double innerHeight = height - 2 * border;
    kt_page_fill_rect(border, border, innerWidth, innerHeight, kFace);
    if (m_bitmapImage < 0 && !m_metafile)
        return;
    kt_page_clip(border, border, innerWidth, innerHeight);
    if (m_bitmapImage >= 0) {
        kt_page_draw_image(m_bitmapImage, border, border, scale);
    } else {
        CanvasText canvas(border, border);
        playMetafile(*m_metafile, innerWidth, innerHeight, canvas);
    }
    kt_page_unclip();
}

PictureCanvas& pictureBox(PictureId picture, PictureBorder border, int width, int height) {
    using Key = std::tuple<PictureId, PictureBorder, int, int>;
    static std::map<Key, std::unique_ptr<PictureCanvas>> boxes;
    auto& box = boxes[Key{picture, border, width, height}];
    if (!box)
        box = std::make_unique<PictureCanvas>(picture, border, width, height);
    return *box;
}

} // namespace kt::web
