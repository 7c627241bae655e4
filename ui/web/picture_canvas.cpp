#include "ui/web/picture_canvas.h"

#include "assets/metafile_player.h"
#include "assets/picture_catalogue.h"
#include "ui/web/colours.h"
#include "ui/web/host.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace kt::web {

namespace {

// Draws each character through a transform that stretches the metafile's drawing units over the
// box, so the glyphs narrow with the advances that place them.
class CanvasText final : public TextCanvas {
public:
    CanvasText(double left, double top) : m_left(left), m_top(top) {}

    void drawCharacter(const MetafileFont& font, double x, double y, double height, double sx,
                       double sy, char16_t ch) override {
        if (sx <= 0 || sy <= 0)
            return;
        host::drawCharacter(font.face, font.weight >= 600 ? 700 : 400, font.italic,
                            fontPixelSize(height / sy), sx, sy, m_left + x, m_top + y, ch);
    }

private:
    double m_left;
    double m_top;
};

// One line of a frame, `unit` device pixels wide: the top and left sides in one colour, the
// bottom and right ones in another, as the Windows frames draw them.
void frameLine(double left, double top, double width, double height, double unit,
               std::string_view topLeft, std::string_view bottomRight) {
    host::fillRect(left, top, width - unit, unit, topLeft);
    host::fillRect(left, top + unit, unit, height - 2 * unit, topLeft);
    host::fillRect(left, top + height - unit, width, unit, bottomRight);
    host::fillRect(left + width - unit, top, unit, height - unit, bottomRight);
}

} // namespace

PictureCanvas::PictureCanvas(PictureId picture, PictureBorder border, int width, int height)
    : m_border(border), m_width(width), m_height(height) {
    if (picture == PictureId::None)
        return;
    auto loaded = loadPicture(picture);
    if (!loaded) { // the box stays empty; the rest of the window still works
        std::fprintf(stderr, "kinematics-test: %s\n", loaded.error().describe().c_str());
        return;
    }
    m_picture.emplace(std::move(loaded).value());
    if (const auto* bitmap = std::get_if<Bitmap>(&*m_picture)) {
        std::vector<std::uint8_t> rgba;
        rgba.reserve(bitmap->rgb.size() / 3 * 4);
        for (std::size_t i = 0; i + 2 < bitmap->rgb.size(); i += 3)
            rgba.insert(rgba.end(), {bitmap->rgb[i], bitmap->rgb[i + 1], bitmap->rgb[i + 2], 255});
        m_image = host::defineImage(rgba.data(), bitmap->width, bitmap->height);
    }
}

void PictureCanvas::paint(double scale) const {
    if (m_painted >= 0 && m_paintedScale == scale) {
        host::drawImage(m_painted, 0, 0, 1);
        return;
    }
    draw(scale);
}

bool PictureCanvas::paintAhead(double scale) {
    if (m_painted >= 0 && m_paintedScale == scale)
        return false;
    m_painted = host::beginImage(static_cast<int>(std::round(m_width * scale)),
                                 static_cast<int>(std::round(m_height * scale)), m_painted);
    draw(scale);
    host::endImage();
    m_paintedScale = scale;
    return true;
}

void PictureCanvas::draw(double scale) const {
    // Whole device pixels per line, so that the frame stays crisp at any zoom.
    const double unit = std::max(1.0, std::round(scale));
    const double width = std::round(m_width * scale);
    const double height = std::round(m_height * scale);
    double border = unit;
    if (m_border == PictureBorder::Sunken) {
        frameLine(0, 0, width, height, unit, kFrameDark, kFrameLight);
        frameLine(unit, unit, width - 2 * unit, height - 2 * unit, unit, kFrameShadow,
                  kFrameMidlight);
        border = 2 * unit;
    } else {
        frameLine(0, 0, width, height, unit, kFrameLine, kFrameLine);
    }
    const double innerWidth = width - 2 * border;
    const double innerHeight = height - 2 * border;
    host::fillRect(border, border, innerWidth, innerHeight, kFace);
    if (!m_picture)
        return;
    host::clip(border, border, innerWidth, innerHeight);
    if (m_image >= 0) {
        host::drawImage(m_image, border, border, scale);
    } else if (const auto* metafile = std::get_if<Metafile>(&*m_picture)) {
        CanvasText canvas(border, border);
        playMetafile(*metafile, innerWidth, innerHeight, canvas);
    }
    host::unclip();
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
