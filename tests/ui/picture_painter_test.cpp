// Pictures painted into images, checked pixel by pixel: bitmaps at their own size from the inner
// top-left corner and cut at the inner area, metafile text stretched over the whole inner area,
// nothing drawn outside it, and the sixteen built-in pictures in boxes of their windows' sizes.

#include "app/program_description.h"
#include "assets/metafile_player.h"
#include "assets/picture_catalogue.h"
#include "support/no_events.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/picture_painter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace kt;
using namespace kt::qt;

Q_DECLARE_METATYPE(kt::FormId)

namespace {

// What no picture ever draws: left outside the inner area to show that nothing was drawn there.
const QRgb kSentinel = qRgb(255, 0, 255);
// What the box fills its inner area with before the picture is painted.
const QRgb kBackground = qRgb(200, 201, 202);

// Every pixel a different colour, none of them the sentinel or the background (blue is 100).
Bitmap patternBitmap(int width, int height) {
    Bitmap bitmap{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bitmap.rgb.push_back(static_cast<std::uint8_t>(x * 5 + 1));
            bitmap.rgb.push_back(static_cast<std::uint8_t>(y * 5 + 2));
            bitmap.rgb.push_back(100);
        }
    return bitmap;
}

QRgb bitmapPixel(const Bitmap& bitmap, int x, int y) {
    const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) +
                     static_cast<std::size_t>(x)) *
                    3;
    return qRgb(bitmap.rgb[at], bitmap.rgb[at + 1], bitmap.rgb[at + 2]);
}

// "pixel (x, y)" and a colour, for messages.
QString pixel(int x, int y) {
    return QStringLiteral("pixel (%1, %2)").arg(x).arg(y);
}
QString hex(QRgb c) {
    return QString::number(c, 16);
}

// An image of `size` holding the sentinel, with `inner` filled as a box fills it.
QImage canvas(QSize size, const QRect& inner) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kSentinel);
    QPainter painter(&image);
    painter.fillRect(inner, QColor::fromRgb(kBackground));
    return image;
}

QImage painted(const PaintablePicture& picture, QSize size, const QRect& inner) {
    QImage image = canvas(size, inner);
    QPainter painter(&image);
    picture.paint(painter, inner);
    return image;
}

// The first pixel of `image` outside `inner` that is not the sentinel, described; empty if none.
QString drawnOutside(const QImage& image, const QRect& inner) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!inner.contains(x, y) && image.pixel(x, y) != kSentinel)
                return QStringLiteral("pixel (%1, %2) outside the inner area %3,%4 %5×%6 is drawn")
                    .arg(x)
                    .arg(y)
                    .arg(inner.left())
                    .arg(inner.top())
                    .arg(inner.width())
                    .arg(inner.height());
    return {};
}

// The first pixel of `inner` that is not the bitmap's pixel from the inner top-left corner, or
// `background` past the bitmap's edges, described; empty if none.
QString notTheBitmap(const QImage& image, const QRect& inner, const Bitmap& bitmap,
                     QRgb background) {
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const int bx = x - inner.left();
            const int by = y - inner.top();
            const QRgb expected =
                bx < bitmap.width && by < bitmap.height ? bitmapPixel(bitmap, bx, by) : background;
            if (image.pixel(x, y) != expected)
                return pixel(x, y) + " is " + hex(image.pixel(x, y)) + ", not " + hex(expected);
        }
    return {};
}

// The smallest rectangle holding every pixel that differs from `before`; null if none does.
QRect changedArea(const QImage& before, const QImage& after) {
    QRect area;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

// Runs of neighbouring columns of `area` that hold at least one pixel other than the background.
std::vector<std::pair<int, int>> inkColumns(const QImage& image, const QRect& area) {
    std::vector<std::pair<int, int>> runs; // first and last column
    for (int x = area.left(); x <= area.right(); ++x) {
        bool ink = false;
        for (int y = area.top(); y <= area.bottom() && !ink; ++y)
            ink = image.pixel(x, y) != kBackground;
        if (!ink)
            continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    return runs;
}

// The ink of `ch` in the face that stands in for Times New Roman, `unitsHigh` pixels high, from
// the left end of its baseline; the glyph a metafile character is drawn with before stretching.
QRectF glyphInk(QChar ch, int unitsHigh) {
    QFont font(familyFor(u"Times New Roman"));
    font.setPixelSize(unitsHigh);
    return QFontMetricsF(font).tightBoundingRect(QString(ch));
}

struct Run {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::u16string text;
    std::vector<std::int32_t> dx;
};

// A metafile of the statement pictures' kind: one font, `height` units high, selected before
// the runs, over a drawing space of `width` × `spaceHeight` units.
Metafile textMetafile(std::int32_t width, std::int32_t spaceHeight, std::int32_t height,
                      const std::vector<Run>& runs) {
    Metafile metafile;
    metafile.header.bounds = {0, 0, width - 1, spaceHeight - 1};
    metafile.header.version = 0x10000;
    metafile.header.handles = 2;
    metafile.records.push_back({EmfRecordType::Header, 0, metafile.header});
    metafile.records.push_back({EmfRecordType::SetTextAlign, 0, EmfTextAlign{kTaBaseline}});
    metafile.records.push_back({EmfRecordType::SetWindowOrgEx, 0, EmfWindowOrg{{0, 0}}});
    metafile.records.push_back(
        {EmfRecordType::SetWindowExtEx, 0, EmfWindowExt{{width, spaceHeight}}});
    metafile.records.push_back({EmfRecordType::SetBkMode, 0, EmfBkMode{1}});
    metafile.records.push_back(
        {EmfRecordType::ExtCreateFontIndirectW, 0,
         EmfCreateFont{1, -height, 0, {"Times New Roman", 400, false, 204}}});
    metafile.records.push_back({EmfRecordType::SelectObject, 0, EmfSelectObject{1}});
    for (const Run& run : runs)
        metafile.records.push_back({EmfRecordType::ExtTextOutW, 0,
                                    EmfText{{run.x, run.y},
                                            kEtoClipped,
                                            EmfRect{0, 0, width, spaceHeight},
                                            1,
                                            run.text,
                                            run.dx}});
    metafile.records.push_back(
        {EmfRecordType::SelectObject, 0, EmfSelectObject{kDeviceDefaultFont}});
    metafile.records.push_back({EmfRecordType::Eof, 0, EmfEof{}});
    return metafile;
}

constexpr std::int32_t kSpaceWidth = 3898;
constexpr std::int32_t kSpaceHeight = 345;

// One character's place as the player hands it over, in pixels of the inner area.
struct Placed {
    double x = 0;
    double y = 0;
    double height = 0;
};

class RecordingCanvas final : public TextCanvas {
public:
    std::vector<Placed> placed;
    void drawCharacter(const MetafileFont&, double x, double y, double height, double, double,
                       char16_t) override {
        placed.push_back({x, y, height});
    }
};

} // namespace

class PicturePainterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installBuiltInFonts(); }

    void toQImageKeepsEveryPixel_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        // Rows of 3, 5 and 7 pixels are not a whole number of 4-byte words.
        QTest::newRow("1×1") << 1 << 1;
        QTest::newRow("5×3") << 5 << 3;
        QTest::newRow("7×4") << 7 << 4;
        QTest::newRow("8×2") << 8 << 2;
    }
    void toQImageKeepsEveryPixel() {
        QFETCH(int, width);
        QFETCH(int, height);
        const Bitmap bitmap = patternBitmap(width, height);
        const QImage image = toQImage(bitmap);
        QCOMPARE(image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                QCOMPARE(image.pixel(x, y), bitmapPixel(bitmap, x, y));
    }

    // The bitmap's top-left pixel at the inner top-left; what lies past the inner area is cut;
    // the box's background stays beyond a smaller bitmap's edges; nothing outside the area.
    void bitmapAtItsOwnSize_data() {
        QTest::addColumn<QSize>("bitmapSize");
        QTest::addColumn<QRect>("inner");
        QTest::newRow("wider and taller") << QSize(30, 20) << QRect(5, 4, 20, 10);
        QTest::newRow("smaller") << QSize(6, 3) << QRect(5, 4, 20, 10);
        QTest::newRow("wider only") << QSize(27, 7) << QRect(3, 2, 21, 12);
        QTest::newRow("taller only") << QSize(9, 25) << QRect(3, 2, 21, 12);
        QTest::newRow("same size") << QSize(13, 11) << QRect(1, 1, 13, 11);
        QTest::newRow("odd width") << QSize(5, 5) << QRect(2, 6, 17, 9);
        QTest::newRow("at the origin") << QSize(40, 40) << QRect(0, 0, 11, 9);
    }
    void bitmapAtItsOwnSize() {
        QFETCH(QSize, bitmapSize);
        QFETCH(QRect, inner);
        const Bitmap bitmap = patternBitmap(bitmapSize.width(), bitmapSize.height());
        const QImage image = painted(PaintablePicture(bitmap), QSize(32, 24), inner);
        QCOMPARE(drawnOutside(image, inner), QString());
        QCOMPARE(notTheBitmap(image, inner, bitmap, kBackground), QString());
    }

    // `inner` is in the painter's coordinates: a painter moved by (dx, dy) paints the picture
    // exactly where an unmoved one paints it in the area moved by (dx, dy).
    void inTheCoordinatesOfThePainter_data() {
        QTest::addColumn<bool>("metafile");
        QTest::newRow("bitmap") << false;
        QTest::newRow("metafile") << true;
    }
    void inTheCoordinatesOfThePainter() {
        QFETCH(bool, metafile);
        const QSize size(420, 60);
        const QRect inner(3, 4, 400, 50);
        const PaintablePicture picture =
            metafile ? PaintablePicture(textMetafile(
                           kSpaceWidth, kSpaceHeight, 150,
                           {{100, 250, u"Тело HI", {700, 700, 700, 700, 700, 700, 700}}}))
                     : PaintablePicture(patternBitmap(50, 70));
        const QPoint shift(9, 5);
        const QImage unmoved = painted(picture, size, inner.translated(shift));
        QImage moved = canvas(size, inner.translated(shift));
        {
            QPainter painter(&moved);
            painter.translate(shift);
            picture.paint(painter, inner);
        }
        QVERIFY(unmoved != canvas(size, inner.translated(shift)));
        QCOMPARE(moved, unmoved);
    }

    // Painting leaves the painter as it found it: transform, clip, pen and font.
    void painterLeftAsFound_data() { inTheCoordinatesOfThePainter_data(); }
    void painterLeftAsFound() {
        QFETCH(bool, metafile);
        const PaintablePicture picture =
            metafile ? PaintablePicture(textMetafile(kSpaceWidth, kSpaceHeight, 150,
                                                     {{100, 250, u"AB", {700, 700}}}))
                     : PaintablePicture(patternBitmap(50, 70));
        QImage image = canvas(QSize(100, 50), QRect(0, 0, 100, 50));
        QPainter painter(&image);
        painter.translate(2, 3);
        const QFont font(QStringLiteral("Liberation Sans"), 7);
        painter.setFont(font);
        painter.setPen(QColor(10, 20, 30));
        const QTransform transform = painter.transform();
        picture.paint(painter, QRect(1, 1, 90, 40));
        QCOMPARE(painter.transform(), transform);
        QVERIFY(!painter.hasClipping());
        QCOMPARE(painter.pen().color(), QColor(10, 20, 30));
        QCOMPARE(painter.font(), font);
    }

    // Characters stand where their units put them across the stretched drawing space:
    // x = inner left + units × inner width / 3898. Spaces move the next character on and draw
    // nothing, and the background between characters is left as it was.
    void metafileCharactersAcross_data() {
        QTest::addColumn<int>("innerWidth");
        QTest::addColumn<int>("innerHeight");
        QTest::newRow("half across, as tall") << 1949 << 345;
        QTest::newRow("statement box of window 1") << 599 << 55;
        QTest::newRow("statement box of window 4") << 559 << 87;
        QTest::newRow("twice across, a third as tall") << 7796 << 115;
    }
    void metafileCharactersAcross() {
        QFETCH(int, innerWidth);
        QFETCH(int, innerHeight);
        const QRect inner(4, 3, innerWidth, innerHeight);
        const QSize size(innerWidth + 9, innerHeight + 7);
        // I at 150, two spaces, I at 1350, a space, I at 2600: the spaces take up room.
        const std::vector<std::int32_t> dx{600, 300, 300, 1000, 250, 10};
        const Metafile metafile =
            textMetafile(kSpaceWidth, kSpaceHeight, 200, {{150, 260, u"I  I I", dx}});
        const QImage image = painted(PaintablePicture(metafile), size, inner);
        const double sx = innerWidth / double(kSpaceWidth);
        const double sy = innerHeight / double(kSpaceHeight);
        const auto runs = inkColumns(image, inner);
        QCOMPARE(runs.size(), std::size_t{3});
        const QRectF glyph = glyphInk(u'I', 200);
        const double at[] = {150, 1350, 2600};
        for (std::size_t i = 0; i < runs.size(); ++i) {
            // The glyph's ink, narrowed by the factor across, from the character's origin.
            const double left = inner.left() + (at[i] + glyph.left()) * sx;
            const double right = inner.left() + (at[i] + glyph.right()) * sx;
            QVERIFY2(std::abs(runs[i].first - left) <= 1.5 &&
                         std::abs(runs[i].second + 1 - right) <= 1.5,
                     qPrintable(QStringLiteral("character %1 inks columns %2 to %3, not %4 to %5")
                                    .arg(i)
                                    .arg(runs[i].first)
                                    .arg(runs[i].second + 1)
                                    .arg(left)
                                    .arg(right)));
        }
        // Between the characters and above and below them, the background is whole.
        const int baseline = inner.top() + static_cast<int>(std::lround(260 * sy));
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x) {
                const bool inGlyphColumns = std::any_of(runs.begin(), runs.end(), [x](auto run) {
                    return x >= run.first && x <= run.second;
                });
                const bool inGlyphRows = y >= baseline - 200 * sy - 1 && y <= baseline + 1;
                if (!(inGlyphColumns && inGlyphRows) && image.pixel(x, y) != kBackground)
                    QFAIL(qPrintable(pixel(x, y) + " away from the characters is drawn"));
            }
    }

    // Text is black, drawn over the background with nothing of its own behind it: over a
    // background of many colours, each pixel the text touches only darkens, every channel, and
    // the cores of thick strokes are black.
    void textOverTheBackground() {
        const QRect inner(1, 1, 390, 345);
        const QSize size(392, 347);
        QImage before(size, QImage::Format_RGB32);
        before.fill(kSentinel);
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                before.setPixel(x, y, qRgb(60 + x % 190, 60 + y % 190, 60 + (x + y) % 190));
        QImage image = before;
        {
            QPainter painter(&image);
            PaintablePicture(
                textMetafile(kSpaceWidth, kSpaceHeight, 300, {{200, 300, u"HЖ", {1900, 1900}}}))
                .paint(painter, inner);
        }
        const QRect area = changedArea(before, image);
        QVERIFY(!area.isNull());
        int black = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb was = before.pixel(x, y);
                const QRgb is = image.pixel(x, y);
                QVERIFY2(qRed(is) <= qRed(was) && qGreen(is) <= qGreen(was) &&
                             qBlue(is) <= qBlue(was),
                         qPrintable(pixel(x, y) + " went from " + hex(was) + " to " + hex(is)));
                black += is == qRgb(0, 0, 0) ? 1 : 0;
            }
        QVERIFY(black > 0);
    }

    // A character's ink grows with the factor of its own direction only: the height with the
    // inner height, the width with the inner width; its baseline lies where its units put it.
    void metafileGlyphScale_data() {
        QTest::addColumn<int>("innerWidth");
        QTest::addColumn<int>("innerHeight");
        QTest::newRow("half as tall") << 3898 << 172;
        QTest::newRow("twice as tall") << 3898 << 690;
        QTest::newRow("half as wide") << 1949 << 345;
        QTest::newRow("a third as wide, 1.5 times as tall") << 1299 << 517;
        QTest::newRow("statement box of window 4") << 559 << 87;
    }
    void metafileGlyphScale() {
        QFETCH(int, innerWidth);
        QFETCH(int, innerHeight);
        const Metafile metafile =
            textMetafile(kSpaceWidth, kSpaceHeight, 250, {{1000, 280, u"H", {500}}});
        const QRect inner(2, 2, innerWidth, innerHeight);
        const QSize size(innerWidth + 4, innerHeight + 4);
        const QImage image = painted(PaintablePicture(metafile), size, inner);
        const QRect ink = changedArea(canvas(size, inner), image).translated(-inner.topLeft());
        QVERIFY(!ink.isNull());
        const double sx = innerWidth / double(kSpaceWidth);
        const double sy = innerHeight / double(kSpaceHeight);
        // The glyph 250 units high, stretched by each factor in its own direction.
        const QRectF glyph = glyphInk(u'H', 250);
        const QRectF expected((1000 + glyph.left()) * sx, (280 + glyph.top()) * sy,
                              glyph.width() * sx, glyph.height() * sy);
        const auto describe = [&] {
            return QStringLiteral("ink %1,%2 to %3,%4; the glyph stretched: %5,%6 to %7,%8")
                .arg(ink.left())
                .arg(ink.top())
                .arg(ink.right() + 1)
                .arg(ink.bottom() + 1)
                .arg(expected.left())
                .arg(expected.top())
                .arg(expected.right())
                .arg(expected.bottom());
        };
        QVERIFY2(std::abs(ink.left() - expected.left()) <= 1.5, qPrintable(describe()));
        QVERIFY2(std::abs(ink.right() + 1 - expected.right()) <= 1.5, qPrintable(describe()));
        QVERIFY2(std::abs(ink.top() - expected.top()) <= 1.5, qPrintable(describe()));
        // H stands on the baseline, which falls on the nearest whole pixel.
        QVERIFY2(std::abs(ink.bottom() + 1 - 280 * sy) <= 0.75, qPrintable(describe()));
    }

    // Characters that stand across an edge of the drawing space are cut at the inner area:
    // the inner area's edge row or column is inked, nothing beyond it.
    void metafileCutAtTheInnerArea_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("edge");
        QTest::newRow("left") << -60 << 200 << "left";
        QTest::newRow("right") << kSpaceWidth - 60 << 200 << "right";
        QTest::newRow("top") << 1800 << 80 << "top";
        QTest::newRow("bottom") << 1800 << kSpaceHeight + 40 << "bottom";
    }
    void metafileCutAtTheInnerArea() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, edge);
        const QRect inner(10, 12, 1949, 345);
        const QSize size(1970, 370);
        const QImage image = painted(PaintablePicture(textMetafile(kSpaceWidth, kSpaceHeight, 250,
                                                                   {{x, y, u"HH", {180, 180}}})),
                                     size, inner);
        QCOMPARE(drawnOutside(image, inner), QString());
        QRect line = edge == "left"    ? QRect(inner.left(), inner.top(), 1, inner.height())
                     : edge == "right" ? QRect(inner.right(), inner.top(), 1, inner.height())
                     : edge == "top"   ? QRect(inner.left(), inner.top(), inner.width(), 1)
                                       : QRect(inner.left(), inner.bottom(), inner.width(), 1);
        bool inked = false;
        for (int py = line.top(); py <= line.bottom() && !inked; ++py)
            for (int px = line.left(); px <= line.right() && !inked; ++px)
                inked = image.pixel(px, py) != kBackground;
        QVERIFY2(inked, "the character was left out rather than cut");
    }

    // A focused box shows its focus on its border, all round the part its window shows, and
    // leaves every pixel inside that as it was.
    void focusLeavesThePictureAlone_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("statement, flat border") << "Picture1";
        QTest::newRow("graph, sunken border") << "Picture2";
    }
    void focusLeavesThePictureAlone() {
        QFETCH(QString, box);
        kt::test::NoEvents events;
        FormWidget window(descriptionOf(FormId::Form1), events);
        window.showCentred();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* shown = qobject_cast<PictureBox*>(window.findChild<QWidget*>(box));
        QVERIFY(shown && !shown->hasFocus());
        const QImage unfocused = shown->grab().toImage();
        // Reached with the Tab key, as a pupil reaches it; styles draw their focus frame only then.
        for (int tabs = 0; tabs < 8 && !shown->hasFocus(); ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(shown->hasFocus());
        const QImage focused = shown->grab().toImage();
        QCOMPARE(focused.size(), unfocused.size());
        // Where the window cuts the box, the ring lies over the picture's last shown pixels.
        const int b = shown->borderWidth();
        const QRect inner = shown->innerRect() & shown->shownRect().adjusted(b, b, -b, -b);
        const QRgb ring = shown->palette().color(QPalette::Highlight).rgb();
        const QRect edge = shown->shownRect();
        for (const QPoint corner : {edge.topLeft(), edge.bottomRight()})
            QCOMPARE(focused.pixel(corner), ring);
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x) {
                if (focused.pixel(x, y) == unfocused.pixel(x, y))
                    continue;
                ++changed;
                if (inner.contains(x, y))
                    QFAIL(qPrintable("picture " + pixel(x, y) + " changes with the focus"));
            }
        QVERIFY2(changed > 0, "the focus does not show");
    }

    // The built-in pictures in boxes of their windows' sizes: the border is what an empty box
    // of the same kind shows, nothing is drawn over it; a bitmap shows its own pixels from the
    // inner top-left corner, cut at the inner area; a metafile's black text lies inside, over
    // the background, across the places its characters are put.
    void builtInPictures_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("picture");
        int count = 0;
        for (FormId form : kAllForms)
            for (const auto& c : descriptionOf(form).controls())
                if (c.kind == ControlKind::PictureBox && c.Picture != PictureId::None) {
                    const auto name = pictureName(c.Picture);
                    QTest::newRow(std::string(name).c_str())
                        << form
                        << QString::fromUtf8(controlName(c.id).data(),
                                             qsizetype(controlName(c.id).size()))
                        << static_cast<int>(c.Picture);
                    ++count;
                }
        QCOMPARE(count, int(kPictureCount));
    }
    void builtInPictures() {
        QFETCH(FormId, form);
        QFETCH(QString, box);
        QFETCH(int, picture);
        kt::test::NoEvents events;
        FormWidget window(descriptionOf(form), events);
        auto* shown = qobject_cast<PictureBox*>(window.findChild<QWidget*>(box));
        QVERIFY(shown);
        QCOMPARE(static_cast<int>(shown->pictureId()), picture);
        QVERIFY2(shown->picture(), "the box has no picture");
        PictureBox empty(PictureId::None, shown->border(), &window);
        empty.setGeometry(shown->geometry());
        QCOMPARE(empty.innerRect(), shown->innerRect());

        auto render = [](PictureBox& b) {
            QImage image(b.size(), QImage::Format_RGB32);
            image.fill(kSentinel);
            b.render(&image);
            return image;
        };
        const QImage image = render(*shown);
        const QImage bare = render(empty);
        const QRect inner = shown->innerRect();
        const QRgb background = shown->palette().color(QPalette::Window).rgb();

        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!inner.contains(x, y) && image.pixel(x, y) != bare.pixel(x, y))
                    QFAIL(qPrintable("border " + pixel(x, y) + " is drawn over"));

        auto loaded = loadPicture(static_cast<PictureId>(picture));
        QVERIFY(loaded.ok());
        if (const auto* bitmap = std::get_if<Bitmap>(&loaded.value())) {
            QCOMPARE(notTheBitmap(image, inner, *bitmap, background), QString());
            return;
        }

        const auto& metafile = std::get<Metafile>(loaded.value());
        RecordingCanvas places;
        playMetafile(metafile, inner.width(), inner.height(), places);
        QVERIFY(!places.placed.empty());
        // Where the characters may ink: from a little left of each one's origin to well past
        // it, from a cell's height above its baseline to below its descenders.
        QRegion cells;
        for (const Placed& p : places.placed)
            cells |= QRect(QPoint(inner.left() + int(std::floor(p.x - 0.3 * p.height)),
                                  inner.top() + int(std::floor(p.y - 1.1 * p.height))),
                           QPoint(inner.left() + int(std::ceil(p.x + 1.3 * p.height)),
                                  inner.top() + int(std::ceil(p.y + 0.4 * p.height))));
        QRect ink;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x) {
                const QRgb is = image.pixel(x, y);
                if (is == background)
                    continue;
                ink |= QRect(x, y, 1, 1);
                if (qRed(is) > qRed(background) || qGreen(is) > qGreen(background) ||
                    qBlue(is) > qBlue(background))
                    QFAIL(qPrintable(pixel(x, y) + " is " + hex(is) + ", lighter than " +
                                     hex(background)));
                if (!cells.contains(QPoint(x, y)))
                    QFAIL(qPrintable(pixel(x, y) + " is inked away from every character"));
            }
        QVERIFY(!ink.isNull());
        // The text reaches from the first character placed to the last.
        const auto [left, right] =
            std::minmax_element(places.placed.begin(), places.placed.end(),
                                [](const Placed& a, const Placed& b) { return a.x < b.x; });
        QVERIFY2(ink.left() <= inner.left() + left->x + 0.3 * left->height,
                 qPrintable(QStringLiteral("ink starts at %1").arg(ink.left())));
        QVERIFY2(ink.right() >= inner.left() + right->x,
                 qPrintable(QStringLiteral("ink ends at %1").arg(ink.right())));
    }
};

QTEST_MAIN(PicturePainterTest)
#include "picture_painter_test.moc"
