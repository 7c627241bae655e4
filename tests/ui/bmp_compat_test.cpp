// The committed bitmaps are ordinary BMP files: Qt's own BMP reader opens every one of them and
// sees exactly the pixels our reader sees, and the program carries each file as it is committed.

#include "assets/bitmap.h"
#include "assets/picture_catalogue.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include <cstddef>
#include <span>
#include <variant>

using namespace kt;

namespace {

// Where the picture files are committed.
QString pictureDirectory() {
    return QStringLiteral(KT_PROJECT_DIR "/assets/pictures");
}

// "Form10.Picture1" is kept as form10_picture1.bmp.
QString fileNameOf(PictureId id) {
    const auto name = pictureName(id);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))
               .toLower()
               .replace(QLatin1Char('.'), QLatin1Char('_')) +
           QStringLiteral(".bmp");
}

QString describePixel(int x, int y, QRgb ours, QRgb qts) {
    return QStringLiteral("pixel (%1, %2): ours %3, Qt's %4")
        .arg(x)
        .arg(y)
        .arg(ours & 0xFFFFFF, 6, 16, QLatin1Char('0'))
        .arg(qts & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

} // namespace

class BmpCompatTest : public QObject {
    Q_OBJECT

private slots:
    // Every bitmap file in the folder belongs to a picture, and every picture the program
    // carries as a bitmap has its file there.
    void everyFileIsAPicture() {
        const QDir dir(pictureDirectory());
        QVERIFY2(dir.exists(), qPrintable(dir.path()));
        QSet<QString> files;
        for (const QString& file : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            files.insert(file);
        QSet<QString> bitmaps;
        for (std::size_t i = 0; i < kPictureCount; ++i) {
            const auto id = static_cast<PictureId>(i);
            auto picture = loadPicture(id);
            if (picture && std::holds_alternative<Bitmap>(picture.value()))
                bitmaps.insert(fileNameOf(id));
        }
        QVERIFY(!bitmaps.isEmpty());
        QCOMPARE(files, bitmaps);
    }

    void sameImageAsQt_data() {
        QTest::addColumn<int>("picture");
        for (std::size_t i = 0; i < kPictureCount; ++i) {
            const auto id = static_cast<PictureId>(i);
            if (QFile::exists(pictureDirectory() + QLatin1Char('/') + fileNameOf(id)))
                QTest::newRow(qPrintable(fileNameOf(id))) << static_cast<int>(i);
        }
    }
    void sameImageAsQt() {
        QFETCH(int, picture);
        const auto id = static_cast<PictureId>(picture);
        const QString path = pictureDirectory() + QLatin1Char('/') + fileNameOf(id);

        // Qt takes the file for a BMP by its content, and can read it.
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));

        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = file.readAll();
        auto ours = readBmp(
            std::as_bytes(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
        QVERIFY2(ours.ok(), ours.ok() ? "" : ours.error().describe().c_str());
        const Bitmap& bitmap = ours.value();

        // The program carries this very file.
        auto carried = loadPicture(id);
        QVERIFY(carried.ok());
        QVERIFY(std::holds_alternative<Bitmap>(carried.value()));
        QVERIFY(std::get<Bitmap>(carried.value()) == bitmap);

        QCOMPARE(image.size(), QSize(bitmap.width, bitmap.height));
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x) {
                const auto at =
                    (static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) +
                     static_cast<std::size_t>(x)) *
                    3;
                const QRgb mine = qRgb(bitmap.rgb[at], bitmap.rgb[at + 1], bitmap.rgb[at + 2]);
                const QRgb qts = image.pixel(x, y);
                if (mine != qts)
                    QFAIL(qPrintable(describePixel(x, y, mine, qts)));
            }
    }
};

QTEST_MAIN(BmpCompatTest)
#include "bmp_compat_test.moc"
