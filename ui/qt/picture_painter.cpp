#include "ui/qt/picture_painter.h"

#include "assets/metafile_player.h"
#include "ui/qt/fonts.h"

#include <QPainter>

#include <optional>

namespace kt::qt {

namespace {

// Draws each character through a transform that stretches the metafile's drawing units over the
// box, so the glyphs narrow with the advances that place them and stay sharp at any scale.
class PainterTextCanvas final : public TextCanvas {
public:
    PainterTextCanvas(QPainter& painter, QPointF origin)
        : m_painter(painter), m_origin(origin), m_base(painter.transform()) {}

    void drawCharacter(const MetafileFont& font, double x, double y, double height, double sx,
                       double sy, char16_t ch) override {
        if (sx <= 0 || sy <= 0)
            return;
        useFont(font, height / sy);
        // On top of the painter's own transform, so that `inner` is in the painter's coordinates.
        m_painter.setTransform(QTransform(sx, 0, 0, sy, m_origin.x() + x, m_origin.y() + y) *
                               m_base);
        m_painter.drawText(QPointF(0, 0), QString(QChar(ch)));
    }

private:
    void useFont(const MetafileFont& font, double unitsHigh) {
        if (m_current && *m_current == font && m_unitsHigh == unitsHigh)
            return;
        QFont qfont(familyFor(QString::fromStdString(font.face)));
        qfont.setPixelSize(fontPixelSize(unitsHigh));
        qfont.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
        qfont.setItalic(font.italic);
        qfont.setKerning(false); // the advances are stored; the font must not move glyphs
        m_painter.setFont(qfont);
        m_current = font;
        m_unitsHigh = unitsHigh;
    }

    QPainter& m_painter;
    QPointF m_origin;
    QTransform m_base;
    std::optional<MetafileFont> m_current;
    double m_unitsHigh = 0;
};

} // namespace

// In the format of the window's backing store, so that painting is a plain copy: an image in any
// other format is converted at every paint, by a pool of threads started for the purpose.
// Qt's own converter does it several pixels at a time.
QImage toQImage(const Bitmap& bitmap) {
    const QImage rgb(bitmap.rgb.data(), bitmap.width, bitmap.height, qsizetype{3} * bitmap.width,
                     QImage::Format_RGB888);
    return rgb.convertToFormat(QImage::Format_RGB32);
}

PaintablePicture::PaintablePicture(Picture picture) : m_picture(std::move(picture)) {
    if (const auto* bitmap = std::get_if<Bitmap>(&m_picture))
        m_image = toQImage(*bitmap);
    else
        installPictureFonts();
}

void PaintablePicture::paint(QPainter& painter, const QRect& inner) const {
    painter.save();
    painter.setClipRect(inner);
    if (!m_image.isNull()) {
        painter.drawImage(inner.topLeft(), m_image);
    } else if (const auto* metafile = std::get_if<Metafile>(&m_picture)) {
        painter.setPen(Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        PainterTextCanvas canvas(painter, inner.topLeft());
        playMetafile(*metafile, inner.width(), inner.height(), canvas);
    }
    painter.restore();
}

} // namespace kt::qt
