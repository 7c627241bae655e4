#pragma once

#include "assets/picture_record.h"
#include "ui/description.h"

#include <optional>

namespace kt::web {

// What a picture box shows: its border, its background and its picture, painted into the page's
// current canvas. The picture is read when the box is made; a bitmap becomes an image of the page
// once, then.
class PictureCanvas {
public:
    PictureCanvas(PictureId picture, PictureBorder border, int width, int height);

    // `scale`: device pixels per CSS pixel. Bitmaps stand pixel for pixel at 1 and in whole
    // blocks at whole scales; metafile text is laid out in device pixels. A box painted ahead at
    // this scale is copied whole.
    void paint(double scale) const;
    // Paints the box at `scale` into an image of the page kept for it, in place of the one
    // painted at another scale, so that the window that shows it needs one copy; false when
    // that was done before.
    bool paintAhead(double scale);

private:
    void draw(double scale) const;

    PictureBorder m_border;
    int m_width;
    int m_height;
    std::optional<Metafile> m_metafile;
    int m_bitmapImage = -1; // the page's image of a bitmap picture
    double m_paintedScale = 0;
    int m_paintedBox = -1; // the image of the whole box at m_paintedScale
};

// The page's one box of that picture, border and size, made on first use: the windows that show
// it share it, and it can be made and painted before any of them is built.
PictureCanvas& pictureBox(PictureId picture, PictureBorder border, int width, int height);

} // namespace kt::web
