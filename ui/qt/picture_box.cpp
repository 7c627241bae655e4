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
        drawFocusLine(painter, rect().adjusted(borderWidth() - 1, borderWidth() - 1,
                                               1 - borderWidth(), 1 - borderWidth()));
}

// Every other pixel of the border's inner line in the highlight colour: the focus shows on the
// border, and the picture inside keeps every pixel (a style's focus frame would tint it).
void PictureBox::drawFocusLine(QPainter& painter, const QRect& line) const {
    const QColor dot = palette().color(QPalette::Highlight);
    for (int x = line.left(); x <= line.right(); x += 2) {
        painter.fillRect(QRect(x, line.top(), 1, 1), dot);
        painter.fillRect(QRect(x, line.bottom(), 1, 1), dot);
    }
    for (int y = line.top() + 2; y < line.bottom(); y += 2) {
        painter.fillRect(QRect(line.left(), y, 1, 1), dot);
        painter.fillRect(QRect(line.right(), y, 1, 1), dot);
    }
}

} // namespace kt::qt
