#pragma once

#include "assets/picture_record.h"

#include <QImage>
#include <QRect>

class QPainter;

namespace kt::qt {

// A decoded bitmap as Qt draws it. The image shares nothing with the bitmap.
QImage toQImage(const Bitmap& bitmap);

// A picture ready to paint: bitmaps are turned into images once, when the box is built.
class PaintablePicture {
public:
    explicit PaintablePicture(Picture picture);

    // Paints into `inner`, which the caller has already filled with the box's background:
    // a bitmap at its own size from the top-left corner, a metafile stretched over the whole
    // area. Nothing is drawn outside `inner`.
    void paint(QPainter& painter, const QRect& inner) const;

    const Picture& picture() const { return m_picture; }

private:
    Picture m_picture;
    QImage m_image; // for a bitmap
};

} // namespace kt::qt
