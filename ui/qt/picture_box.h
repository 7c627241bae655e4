#pragma once

#include "assets/picture_id.h"

#include <QWidget>

namespace kt::qt {

// A box with a sunken border two pixels wide whose inner area shows one picture.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;

    PictureBox(PictureId picture, QWidget* parent);

    PictureId pictureId() const { return m_picture; }
    QRect innerRect() const { return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureId m_picture;
};

} // namespace kt::qt
