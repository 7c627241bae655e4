#include "ui/qt/picture_box.h"

#include "assets/picture_catalogue.h"
#include "program_identity.h"

#include <QPainter>
#include <QtDebug>

namespace kt::qt {

namespace {

// One line of a frame, one logical pixel wide: the top and left sides in one colour, the bottom
// and right ones in another, as the Windows frames draw them. The lines are filled rectangles so
// that they scale with the display whole; Qt's own frame helpers draw one device pixel per line
// and leave the rest of a border unpainted above 100 %.
void drawFrameLine(QPainter& painter, const QRect& r, const QColor& topLeft,
                   const QColor& bottomRight) {
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height() - 1), bottomRight);
}

} // namespace

PictureBox::PictureBox(PictureId picture, PictureBorder border, QWidget* parent)
    : QWidget(parent), m_picture(picture), m_border(border) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    if (picture == PictureId::None)
        return;
    auto loaded = loadPicture(picture);
    if (loaded)
        m_paintable.emplace(std::move(loaded).value());
    else // the box stays empty; the rest of the window still works
        qWarning("%.*s: %s", int(kProgramName.size()), kProgramName.data(),
                 loaded.error().describe().c_str());
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    if (m_border == PictureBorder::Sunken) { // as qDrawWinPanel draws a sunken panel at 100 %
        drawFrameLine(painter, rect(), colours.color(QPalette::Dark),
                      colours.color(QPalette::Light));
        drawFrameLine(painter, rect().adjusted(1, 1, -1, -1), colours.color(QPalette::Shadow),
                      colours.color(QPalette::Midlight));
    } else {
        const QColor line = colours.color(QPalette::WindowText);
        drawFrameLine(painter, rect(), line, line);
    }
    const QRect inner = innerRect();
    painter.fillRect(inner, palette().color(QPalette::Window));
    if (m_paintable)
        m_paintable->paint(painter, inner);
    if (hasFocus())
        drawFocusRing(painter);
}

// A solid line in the highlight colour over the border, as wide as it, around the part of the
// box the window shows, so that all four sides are seen at any scale; the picture inside keeps
// every pixel, except along an edge where the window cuts the box.
void PictureBox::drawFocusRing(QPainter& painter) const {
    const QRect r = shownRect();
    const int b = borderWidth();
    const QColor ring = palette().color(QPalette::Highlight);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), b), ring);
    painter.fillRect(QRect(r.left(), r.bottom() + 1 - b, r.width(), b), ring);
    painter.fillRect(QRect(r.left(), r.top(), b, r.height()), ring);
    painter.fillRect(QRect(r.right() + 1 - b, r.top(), b, r.height()), ring);
}

} // namespace kt::qt
