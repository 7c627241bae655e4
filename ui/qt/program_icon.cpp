#include "ui/qt/program_icon.h"

#include "assets/picture_catalogue.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <QtDebug>

namespace kt::qt {

QList<QImage> programIconImages() {
    const auto file = iconFile();
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                               static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QImage image;
        if (!reader.jumpToImage(i) || !reader.read(&image)) {
            qWarning("kinematics-test: the built-in icon: %s", qPrintable(reader.errorString()));
            return {};
        }
        images.append(image);
    }
    return images;
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
