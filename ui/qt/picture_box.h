#pragma once

#include "assets/picture_id.h"
#include "ui/description.h"
#include "ui/picture_frame.h"
#include "ui/qt/picture_painter.h"

#include <QWidget>

#include <optional>

namespace kt::qt {

// A box with a border (sunken, two pixels wide, or flat, one pixel wide) whose inner area shows
// one picture. The box reads its built-in picture when it is built, that is when its window
// loads; it takes the focus from the Tab key only, and shows it on its border, where the window
// shows the box.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(PictureId picture, PictureBorder border, QWidget* parent);

    PictureId pictureId() const { return m_picture; }
    PictureBorder border() const { return m_border; }
    int borderWidth() const { return frameLines(m_border); }
    // The picture shown, or nullptr when the box has none (or its record could not be read).
    const PaintablePicture* picture() const { return m_paintable ? &*m_paintable : nullptr; }
    QRect innerRect() const {
        const int b = borderWidth();
        return rect().adjusted(b, b, -b, -b);
    }

    // The part of the box its window shows: a box may reach past the window's edge.
    QRect shownRect() const {
        return parentWidget() ? rect() & QRect(-pos(), parentWidget()->size()) : rect();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawFocusRing(QPainter& painter) const;

    PictureId m_picture;
    PictureBorder m_border;
    std::optional<PaintablePicture> m_paintable;
};

} // namespace kt::qt
