#include "ui/qt/program_icon.h"

#include "assets/picture_catalogue.h"
#include "program_identity.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <QtDebug>

namespace kt::qt {

QList<QImage> icoImages(std::span<const std::byte> file) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                               static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QImage image;
        if (!reader.jumpToImage(i) || !reader.read(&image)) {
            qWarning("%.*s: an icon: %s", int(kProgramName.size()), kProgramName.data(),
                     qPrintable(reader.errorString()));
            return {};
        }
        images.append(image);
    }
    return images;
}

QList<QImage> programIconImages() {
    return icoImages(iconFile());
}

QIcon programIcon() {
    QIcon icon;
    for (const QImage& image : programIconImages())
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

void installProgramIconSoon() {
    static const bool asked =
        (QTimer::singleShot(0, qApp, [] { QApplication::setWindowIcon(programIcon()); }), true);
    (void)asked;
}

} // namespace kt::qt
