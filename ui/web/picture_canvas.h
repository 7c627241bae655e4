#pragma once

#include "assets/picture_record.h"
#include "ui/description.h"

#include <optional>

namespace kt::web {

// What a picture box shows: its border, its background and its picture, painted into the page's
// current canvas. The picture is read when the box is built, that is when its window loads;
// a bitmap becomes an image of the page once, then.
class PictureCanvas {
public:
    PictureCanvas(PictureId picture, PictureBorder border, int width, int height);

    // `scale`: device pixels per CSS pixel. Bitmaps stand pixel for pixel at 1 and in whole
    // blocks at whole scales; metafile text is laid out in device pixels.
    void paint(double scale) const;

private:
    PictureBorder m_border;
    int m_width;
    int m_height;
    std::optional<Picture> m_picture;
    int m_image = -1;
};

} // namespace kt::web
