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
