// The icon is read by Qt's own ICO reader: the built-in icon gives all three images of a window
// seen at a slant, and whatever the generator's writer puts into an ICO file Qt reads back.

#include "tools/picture_generator/ico_writer.h"
#include "ui/qt/program_icon.h"

#include <QSet>
#include <QTest>

using namespace kt;
namespace gen = kt::pictures;

namespace {

QList<QImage> readIco(const std::vector<std::byte>& file) {
    QList<QImage> images = qt::icoImages(file);
    for (QImage& image : images)
        image.convertTo(QImage::Format_ARGB32);
    return images;
}

// The mean position of the opaque pixels of one colour.
QPointF centreOf(const QImage& image, QRgb colour, int* count) {
    QPointF sum;
    *count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == (colour | 0xFF000000u)) {
                sum += QPointF(x, y);
                ++*count;
            }
    return *count ? sum / *count : sum;
}

gen::IconImage iconImage(int size, int bits) {
    gen::IconImage image{size, bits, {}, {}};
    const int colours = 1 << bits;
    for (int i = 0; i < size * size; ++i) {
        image.indices.push_back(static_cast<std::uint8_t>((i * 7 + i / size) % colours));
        image.transparent.push_back(i % 5 == 0);
    }
    return image;
}

} // namespace

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void builtInIconShowsAWindowWithTitleBarAndShadow() {
        const QList<QImage> images = qt::programIconImages();
        QCOMPARE(images.size(), 3);
        const int sides[] = {32, 32, 16};
        for (qsizetype i = 0; i < images.size(); ++i) {
            const QImage image = images[i].convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(sides[i], sides[i]));
            for (const QPoint corner :
                 {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1)})
                QCOMPARE(qAlpha(image.pixel(corner)), 0);
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const int alpha = qAlpha(image.pixel(x, y));
                    QVERIFY(alpha == 0 || alpha == 255);
                    if (alpha == 255)
                        colours.insert(image.pixel(x, y) & 0xFFFFFFu);
                }
            int black = 0, white = 0, cyan = 0, grey = 0;
            centreOf(image, 0x000000, &black);
            const QPointF client = centreOf(image, 0xFFFFFF, &white);
            QVERIFY2(black > 0, "outline");
            QVERIFY2(white > 0, "client area");
            if (i == 0) {
                QCOMPARE(colours, (QSet<QRgb>{0x000000, 0xFFFFFF})); // two colours only
                continue;
            }
            QCOMPARE(colours, (QSet<QRgb>{0x000000, 0xFFFFFF, 0x00FFFF, 0x808080}));
            const QPointF title = centreOf(image, 0x00FFFF, &cyan);
            const QPointF shadow = centreOf(image, 0x808080, &grey);
            QVERIFY2(title.y() < client.y(), "the title bar runs along the top");
            QVERIFY2(shadow.x() > client.x() && shadow.y() > client.y(),
                     "the shadow falls to the right and below");
        }
    }

    // Sizes that need no padding and sizes whose colour and mask rows are padded.
    void writerRoundTrip_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("bits");
        for (const auto& [size, bits] : {std::pair{32, 1}, {32, 4}, {16, 4}, {5, 1}, {7, 4}})
            QTest::addRow("%d px, %d bit", size, bits) << size << bits;
    }
    void writerRoundTrip() {
        QFETCH(int, size);
        QFETCH(int, bits);
        const gen::IconImage image = iconImage(size, bits);
        const QList<QImage> read = readIco(gen::writeIco(std::vector{image}));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].size(), QSize(size, size));
        for (std::size_t i = 0; i < image.indices.size(); ++i) {
            const QRgb got = read[0].pixel(int(i) % size, int(i) / size);
            if (image.transparent[i]) {
                QCOMPARE(qAlpha(got), 0);
                continue;
            }
            const gen::Rgb want = bits == 1 ? gen::kMonochromePalette[image.indices[i]]
                                            : gen::kVgaPalette[image.indices[i]];
            QCOMPARE(got, qRgb(want.r, want.g, want.b));
        }
    }

    void writerKeepsImagesInDirectoryOrder() {
        const std::vector images = {iconImage(32, 1), iconImage(32, 4), iconImage(16, 4)};
        const QList<QImage> read = readIco(gen::writeIco(images));
        QCOMPARE(read.size(), 3);
        QCOMPARE(read[0].width(), 32);
        QCOMPARE(read[2].width(), 16);
    }
};

QTEST_GUILESS_MAIN(IconTest)
#include "icon_test.moc"
