#include "ui/qt/picture_box.h"

#include "assets/picture_catalogue.h"
#include "program_identity.h"
#include "ui/picture_frame.h"

#include <QPainter>
#include <QtDebug>

namespace kt::qt {

namespace {

// By FrameColour.
constexpr QPalette::ColorRole kFrameRoles[] = {QPalette::Dark, QPalette::Light, QPalette::Shadow,
                                               QPalette::Midlight, QPalette::WindowText};
static_assert(std::size(kFrameRoles) == kFrameColourCount);

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
    // In logical pixels, one to a line: Qt scales them whole to the display.
    const PictureFrame frame = pictureFrame(m_border, width(), height(), 1);
    for (std::size_t i = 0; i < frame.count; ++i) {
        const auto& [r, colour] = frame.pieces[i];
        painter.fillRect(QRect(r.left, r.top, r.width, r.height),
                         palette().color(kFrameRoles[static_cast<std::size_t>(colour)]));
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
