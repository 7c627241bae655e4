#include "ui/qt/picture_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace kt::qt {

PictureBox::PictureBox(PictureId picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    const QRect inner = innerRect();
    painter.fillRect(inner, palette().color(QPalette::Window));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace kt::qt
