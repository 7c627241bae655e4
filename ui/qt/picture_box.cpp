#include "ui/qt/picture_box.h"

#include "assets/picture_catalogue.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QtDebug>
#include <qdrawutil.h>

namespace kt::qt {

PictureBox::PictureBox(PictureId picture, PictureBorder border, QWidget* parent)
    : QWidget(parent), m_picture(picture), m_border(border) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    if (picture == PictureId::None || pictureRecord(picture).empty())
        return;
    auto loaded = loadPicture(picture);
    if (loaded)
        m_paintable.emplace(std::move(loaded).value());
    else // the box stays empty; the rest of the window still works
        qWarning("kinematics-test: %s", loaded.error().describe().c_str());
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_border == PictureBorder::Sunken)
        qDrawWinPanel(&painter, rect(), palette(), true);
    else
        qDrawPlainRect(&painter, rect(), palette().color(QPalette::WindowText), 1);
    const QRect inner = innerRect();
    painter.fillRect(inner, palette().color(QPalette::Window));
    if (m_paintable)
        m_paintable->paint(painter, inner);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace kt::qt
