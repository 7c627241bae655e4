// The windows under display scaling, read from what they render. Qt reads QT_SCALE_FACTOR once,
// when the application object is built, so the test runs itself once per factor: started
// without the variable it starts a copy of itself at 1, 1.25, 1.5 and 2 and passes when every
// copy passes; started with it (QT_SCALE_FACTOR=1.25 scaling_test) it checks that factor.
//
// At every factor: the windows keep their layout in logical pixels and fill logical size ×
// factor device pixels; every option button stands just left of its choice letter, as found in
// the rendered pixels; bitmaps are drawn with their own colours only. At 2: each bitmap pixel
// is a 2×2 block of its colour, and metafile text is drawn at the device's resolution, not
// enlarged from a rendering at 1.

#include "app/program_description.h"
#include "support/no_events.h"
#include "support/text_lines.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/picture_box.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace kt;
using namespace kt::qt;
using kt::test::NoEvents;

Q_DECLARE_METATYPE(kt::FormId)

namespace {

// Text ink, as opposed to the grey edge of a smoothed glyph or the background.
bool isDark(QRgb c) {
    return std::max({qRed(c), qGreen(c), qBlue(c)}) < 128;
}

// Rows or columns, both ends inclusive.
using kt::test::Span;

// The logical pixels of the layout: twips at 15 to a pixel, edges rounded half up.
int pixelsOf(int twips) {
    return static_cast<int>(std::floor(twips / 15.0 + 0.5));
}

QRect layoutRect(const Rect& twips) {
    const int left = pixelsOf(twips.Left), top = pixelsOf(twips.Top);
    return {left, top, pixelsOf(twips.Left + twips.Width) - left,
            pixelsOf(twips.Top + twips.Height) - top};
}

// The device pixels wholly inside a rectangle given in logical pixels.
QRect devicePixelsInside(const QRectF& logical, double factor) {
    const int left = static_cast<int>(std::ceil(logical.left() * factor - 1e-9));
    const int top = static_cast<int>(std::ceil(logical.top() * factor - 1e-9));
    const int right = static_cast<int>(std::floor(logical.right() * factor + 1e-9));
    const int bottom = static_cast<int>(std::floor(logical.bottom() * factor + 1e-9));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A box's inner area, where its picture is drawn, in the window's logical pixels.
QRect innerOf(const QWidget& window, const PictureBox& box) {
    return box.innerRect().translated(box.mapTo(&window, QPoint(0, 0)));
}

// Hides every control of a window but the named ones, and takes the focus from them so that no
// focus frame is drawn; all is put back when it goes.
class ShowingOnly {
public:
    ShowingOnly(FormWidget& window, std::initializer_list<const char*> shown)
        : m_focus(QApplication::focusWidget()) {
        for (const auto& c : window.description().controls()) {
            QWidget* w = window.control(c.id);
            if (std::find(shown.begin(), shown.end(), controlName(c.id)) == shown.end() &&
                w->isVisible()) {
                w->hide();
                m_hidden.push_back(w);
            }
        }
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
    }
    ~ShowingOnly() {
        for (QWidget* w : m_hidden)
            w->show();
        if (m_focus)
            m_focus->setFocus();
    }
    ShowingOnly(const ShowingOnly&) = delete;
    ShowingOnly& operator=(const ShowingOnly&) = delete;

private:
    QPointer<QWidget> m_focus;
    std::vector<QWidget*> m_hidden;
};

// The window as it renders with only the named controls shown, at the window's device pixel
// ratio.
QImage grabShowing(FormWidget& window, std::initializer_list<const char*> shown) {
    const ShowingOnly only(window, shown);
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The same, painted as a display at 100 % would paint it.
QImage renderAtOne(FormWidget& window, std::initializer_list<const char*> shown) {
    const ShowingOnly only(window, shown);
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    window.render(&image);
    return image;
}

std::vector<Span> textLines(const QImage& image, const QRect& area) {
    return kt::test::textLines(area.left(), area.top(), area.right(), area.bottom(),
                               [&](int x, int y) { return isDark(image.pixel(x, y)); });
}

bool inkInColumn(const QImage& image, int x, Span rows) {
    for (int y = rows.first; y <= rows.last; ++y)
        if (isDark(image.pixel(x, y)))
            return true;
    return false;
}

// The first column from `from` to `to` with ink in the rows; -1 when there is none.
int firstInkColumn(const QImage& image, Span rows, int from, int to) {
    for (int x = std::max(from, 0); x <= to; ++x)
        if (inkInColumn(image, x, rows))
            return x;
    return -1;
}

// The rows of ink of the glyphs that start at column `from`: the columns up to the first gap
// of `gap` columns without ink.
Span wordRows(const QImage& image, Span rows, int from, int to, int gap) {
    Span word;
    int blank = 0;
    for (int x = from; x <= to && blank < gap; ++x) {
        bool ink = false;
        for (int y = rows.first; y <= rows.last; ++y)
            if (isDark(image.pixel(x, y))) {
                ink = true;
                word.first = word.empty() ? y : std::min(word.first, y);
                word.last = word.empty() ? y : std::max(word.last, y);
            }
        blank = ink ? 0 : blank + 1;
    }
    return word;
}

// Where the choice letter in front of a button was found, in the device pixels of an image.
struct Letter {
    int x = -1;        // its first column of ink
    double centre = 0; // the middle of its rows of ink
    Span line;         // the text line it stands on
    QString failure;   // why it was not found
};

// Looks along the text line that the button overlaps most, from the button's left edge on: ink
// under the button would be hidden by it, so it is taken for the letter and fails the check.
Letter letterBeside(const QImage& bare, const QRect& inner, const QRectF& button, double factor) {
    Letter letter;
    const int top = static_cast<int>(std::floor(button.top() * factor));
    const int bottom = static_cast<int>(std::ceil(button.bottom() * factor)) - 1;
    int best = 0;
    for (const Span& line : textLines(bare, inner)) {
        const int overlap = std::min(line.last, bottom) - std::max(line.first, top) + 1;
        if (overlap > best) {
            best = overlap;
            letter.line = line;
        }
    }
    if (letter.line.empty()) {
        letter.failure = QStringLiteral("no text line beside the button");
        return letter;
    }
    const int from = static_cast<int>(std::floor(button.left() * factor));
    letter.x = firstInkColumn(bare, letter.line, std::max(from, inner.left()), inner.right());
    if (letter.x < 0) {
        letter.failure = QStringLiteral("no letter right of the button");
        return letter;
    }
    const int gap = static_cast<int>(std::ceil(3 * factor));
    letter.centre = wordRows(bare, letter.line, letter.x, inner.right(), gap).centre();
    return letter;
}

// The smallest rectangle holding every pixel in which two images of one size differ.
QRect differences(const QImage& a, const QImage& b) {
    QRect all;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                all |= QRect(x, y, 1, 1);
    return all;
}

// Paints nothing; records the device a real paint reaches, which for a window on screen is its
// backing store.
class PaintProbe final : public QWidget {
public:
    explicit PaintProbe(QWidget* parent) : QWidget(parent) { setGeometry(0, 0, 1, 1); }
    std::optional<QSize> deviceSize;
    double deviceRatio = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPaintDevice* device = painter.paintEngine()->paintDevice();
        if (device != this && device->devType() == QInternal::Image) {
            deviceSize = QSize(device->width(), device->height());
            deviceRatio = device->devicePixelRatioF();
        }
    }
};

constexpr std::array<const char*, 3> kOptions = {"Option1", "Option2", "Option3"};

double factorInUse() {
    return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
}

bool isWhole(double factor) {
    return factor == std::floor(factor);
}

// "x,y width×height"
QString rectText(const QRect& r) {
    return QStringLiteral("%1,%2 %3×%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString hex(QRgb c) {
    return QStringLiteral("#%1").arg(c & 0xffffff, 6, 16, QLatin1Char('0'));
}

} // namespace

// The checks at the factor this process runs at.
class ScalingTest : public QObject {
    Q_OBJECT
    NoEvents m_events;
    double m_factor = 0;

    std::unique_ptr<FormWidget> shown(FormId id) {
        auto window = std::make_unique<FormWidget>(descriptionOf(id), m_events);
        window->showCentred();
        return window;
    }

    void forEachWindow() {
        QTest::addColumn<FormId>("form");
        for (FormId id : kAllForms)
            QTest::newRow(descriptionOf(id).Name.data()) << id;
    }

    void forEachQuestion() {
        QTest::addColumn<FormId>("form");
        for (int n = 1; n <= 10; ++n)
            QTest::newRow(descriptionOf(formNumber(n)).Name.data()) << formNumber(n);
    }

private slots:
    void initTestCase() {
        installBuiltInFonts();
        m_factor = factorInUse();
        QVERIFY2(m_factor > 0, "QT_SCALE_FACTOR is not a number");
        QCOMPARE(qApp->devicePixelRatio(), m_factor);
    }

    // The layout stays in logical pixels; the window covers that many times the factor in device
    // pixels, in its backing store and in what it renders.
    void windowsKeepTheirProportions_data() { forEachWindow(); }
    void windowsKeepTheirProportions() {
        QFETCH(FormId, form);
        const WindowDescription& d = descriptionOf(form);
        FormWidget window(d, m_events);
        auto* probe = new PaintProbe(&window);
        window.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(probe->deviceSize.has_value(), 5000);

        const QSize logical(pixelsOf(d.ClientWidth), pixelsOf(d.ClientHeight));
        QCOMPARE(window.size(), logical);
        for (const auto& c : d.controls())
            QCOMPARE(window.control(c.id)->geometry(), layoutRect(c.rect));

        QCOMPARE(window.windowHandle()->devicePixelRatio(), m_factor);
        QCOMPARE(probe->deviceRatio, m_factor);
        const QSizeF expected = QSizeF(logical) * m_factor;
        const QSize painted = *probe->deviceSize;
        QVERIFY2(std::abs(painted.width() - expected.width()) < 1 &&
                     std::abs(painted.height() - expected.height()) < 1,
                 qPrintable(QStringLiteral("the window paints %1×%2 device pixels, not %3×%4")
                                .arg(painted.width())
                                .arg(painted.height())
                                .arg(expected.width())
                                .arg(expected.height())));
        const QPixmap grabbed = window.grab();
        QCOMPARE(grabbed.devicePixelRatio(), m_factor);
        QVERIFY(std::abs(grabbed.width() - expected.width()) < 1);
        QVERIFY(std::abs(grabbed.height() - expected.height()) < 1);
    }

    // Every device pixel of a window is painted: rendered over two different colours, the
    // window comes out the same.
    void windowsPaintEveryPixel_data() { forEachWindow(); }
    void windowsPaintEveryPixel() {
        QFETCH(FormId, form);
        auto window = shown(form);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QImage images[2];
        const QRgb under[2] = {qRgb(255, 0, 255), qRgb(0, 255, 0)};
        for (int i = 0; i < 2; ++i) {
            images[i] = QImage(window->size() * m_factor, QImage::Format_RGB32);
            images[i].setDevicePixelRatio(m_factor);
            images[i].fill(under[i]);
            window->render(&images[i]);
        }
        QRegion unpainted;
        for (int y = 0; y < images[0].height(); ++y)
            for (int x = 0; x < images[0].width(); ++x)
                if (images[0].pixel(x, y) != images[1].pixel(x, y))
                    unpainted += QRect(x, y, 1, 1);
        QString where;
        int listed = 0;
        for (const QRect& r : unpainted)
            if (listed++ < 4)
                where += " " + rectText(r) + ";";
        QVERIFY2(unpainted.isEmpty(),
                 qPrintable(QStringLiteral("device pixels left unpainted within %1:%2 …")
                                .arg(rectText(unpainted.boundingRect()), where)));
    }

    // Each button's right edge lies between 19 px before and 2 px into the first stroke of its
    // letter, its middle within 5 px of the letter's, counted in logical pixels, measured in
    // device pixels; and what the button draws (its circle on the button face) stays inside its
    // rectangle and reaches no further into the letter than those 2 px.
    void buttonsMeetTheirLetters_data() { forEachQuestion(); }
    void buttonsMeetTheirLetters() {
        QFETCH(FormId, form);
        auto window = shown(form);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* statement = qobject_cast<PictureBox*>(window->control(ControlId::Picture1));
        QVERIFY(statement && statement->picture());
        const double f = m_factor;

        const QImage bare = grabShowing(*window, {"Picture1"});
        const QImage bareAtOne = renderAtOne(*window, {"Picture1"});
        const QRect logicalInner = innerOf(*window, *statement);
        // One device pixel in from each side: at fractional factors the border's edge may be
        // blended into the pixels next to it.
        const QRect inner =
            devicePixelsInside(logicalInner, f).adjusted(1, 1, -1, -1).intersected(bare.rect());
        const QRect innerAtOne = logicalInner.adjusted(1, 1, -1, -1).intersected(bareAtOne.rect());

        for (std::size_t k = 0; k < 3; ++k) {
            const QString what = QStringLiteral("%1 at %2").arg(kOptions[k]).arg(f);
            const QRectF button = window->findChild<QWidget*>(kOptions[k])->geometry();
            const Letter letter = letterBeside(bare, inner, button, f);
            QVERIFY2(letter.x >= 0, qPrintable(what + ": " + letter.failure));

            const double right = button.right() * f;
            const double centre = button.center().y() * f;
            QVERIFY2(right >= letter.x - 19 * f && right <= letter.x + 2 * f,
                     qPrintable(QStringLiteral("%1: the button ends at %2, its letter starts at %3")
                                    .arg(what)
                                    .arg(right)
                                    .arg(letter.x)));
            QVERIFY2(
                std::abs(centre - letter.centre) <= 5 * f,
                qPrintable(QStringLiteral("%1: the button's middle is at %2, the letter's at %3")
                               .arg(what)
                               .arg(centre)
                               .arg(letter.centre)));

            // The same glyph as at 100 %, where the pictures' own test has read it as the letter,
            // in the same place within a pixel and a half.
            const Letter atOne = letterBeside(bareAtOne, innerAtOne, button, 1);
            QVERIFY2(atOne.x >= 0, qPrintable(what + " rendered at 1: " + atOne.failure));
            QVERIFY2(std::abs(letter.x - atOne.x * f) <= 1.5,
                     qPrintable(QStringLiteral("%1: the letter starts at %2, at 100 % at %3")
                                    .arg(what)
                                    .arg(letter.x)
                                    .arg(atOne.x)));

            // What the button draws, found as what it changes.
            const QImage dressed = grabShowing(*window, {"Picture1", kOptions[k]});
            const QRect drawn = differences(bare, dressed);
            const QRect allowed = devicePixelsInside(button, f).adjusted(-1, -1, 1, 1);
            QVERIFY2(!drawn.isEmpty(), qPrintable(what + ": the button draws nothing"));
            QVERIFY2(allowed.contains(drawn),
                     qPrintable(what + ": the button draws over " + rectText(drawn)));
            QVERIFY2(drawn.right() < letter.x + 2 * f,
                     qPrintable(QStringLiteral("%1: the button draws up to column %2, over its "
                                               "letter at %3")
                                    .arg(what)
                                    .arg(drawn.right())
                                    .arg(letter.x)));
        }
    }

    // Bitmaps are enlarged without smoothing: only their own colours appear, each at the place of
    // the bitmap pixel it comes from; at a whole factor each pixel becomes a square block.
    void bitmapsStaySharp_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QString>("box");
        for (int n = 1; n <= 10; ++n) {
            FormWidget window(descriptionOf(formNumber(n)), m_events);
            for (const char* name : {"Picture1", "Picture2"})
                if (auto* box = qobject_cast<PictureBox*>(window.findChild<QWidget*>(name));
                    box && box->picture() &&
                    std::holds_alternative<Bitmap>(box->picture()->picture()))
                    QTest::addRow("%s %s", window.description().Name.data(), name)
                        << formNumber(n) << QString::fromLatin1(name);
        }
    }
    void bitmapsStaySharp() {
        QFETCH(FormId, form);
        QFETCH(QString, box);
        auto window = shown(form);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* pictureBox = qobject_cast<PictureBox*>(window->findChild<QWidget*>(box));
        QVERIFY(pictureBox && pictureBox->picture());
        const auto* bitmap = std::get_if<Bitmap>(&pictureBox->picture()->picture());
        QVERIFY(bitmap);
        const QImage source = toQImage(*bitmap);
        const double f = m_factor;

        const QByteArray name = box.toUtf8();
        const QImage image = grabShowing(*window, {name.constData()});
        const QRect inner = innerOf(*window, *pictureBox);
        const QRect logical = QRect(inner.topLeft(), source.size()).intersected(inner);
        QRect area = devicePixelsInside(logical, f).intersected(image.rect());
        if (!isWhole(f)) // the edges of a clip at fractional positions may be shared
            area.adjust(1, 1, -1, -1);
        QVERIFY(!area.isEmpty());

        int wrong = 0;
        QString first;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                // The bitmap pixel under this device pixel's middle, and its neighbours when the
                // middle lies near a boundary between bitmap pixels.
                const double sx = (x + 0.5) / f - inner.left(), sy = (y + 0.5) / f - inner.top();
                const int spread = isWhole(f) ? 0 : 1;
                bool found = false;
                for (int dy = -spread; dy <= spread && !found; ++dy)
                    for (int dx = -spread; dx <= spread && !found; ++dx) {
                        const int bx = static_cast<int>(std::floor(sx)) + dx;
                        const int by = static_cast<int>(std::floor(sy)) + dy;
                        found = source.valid(bx, by) &&
                                (source.pixel(bx, by) & 0xffffff) == (image.pixel(x, y) & 0xffffff);
                    }
                if (!found && wrong++ == 0)
                    first = QStringLiteral("device pixel %1,%2 is %3, bitmap pixel %4,%5 is %6")
                                .arg(x)
                                .arg(y)
                                .arg(hex(image.pixel(x, y)))
                                .arg(std::floor(sx))
                                .arg(std::floor(sy))
                                .arg(hex(source.pixel(QPoint(
                                    std::clamp(static_cast<int>(sx), 0, source.width() - 1),
                                    std::clamp(static_cast<int>(sy), 0, source.height() - 1)))));
            }
        QVERIFY2(wrong == 0,
                 qPrintable(QStringLiteral("%1 of %2 device pixels are not the bitmap's "
                                           "own; the first: %3")
                                .arg(wrong)
                                .arg(area.width() * area.height())
                                .arg(first)));
    }

    // Metafile text is laid out in logical pixels but drawn at the device's resolution: at 2 the
    // glyphs' edges fall between the 2×2 blocks that an enlarged rendering at 1 would be made of,
    // while the ink lies where that rendering has it.
    void metafileTextIsDrawnForTheDevice_data() {
        QTest::addColumn<FormId>("form");
        for (int n = 1; n <= 10; ++n) {
            FormWidget window(descriptionOf(formNumber(n)), m_events);
            auto* box = qobject_cast<PictureBox*>(window.control(ControlId::Picture1));
            if (box && box->picture() &&
                std::holds_alternative<Metafile>(box->picture()->picture()))
                QTest::newRow(descriptionOf(formNumber(n)).Name.data()) << formNumber(n);
        }
    }
    void metafileTextIsDrawnForTheDevice() {
        QFETCH(FormId, form);
        auto window = shown(form);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* statement = qobject_cast<PictureBox*>(window->control(ControlId::Picture1));
        const QImage atDevice = grabShowing(*window, {"Picture1"});
        const QImage atOne = renderAtOne(*window, {"Picture1"});
        if (m_factor == 1) {
            // What the comparison at 2 stands on: rendering at 1 is what a display at 1 shows.
            QVERIFY2(atDevice == atOne, "the rendering at 1 differs from the window at 1");
            return;
        }
        if (m_factor != 2)
            QSKIP("compared at 2 only");

        const QImage enlarged =
            atOne.scaled(atOne.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QCOMPARE(enlarged.size(), atDevice.size());
        const QRect logicalInner = innerOf(*window, *statement).intersected(atOne.rect());
        const QRect inner = devicePixelsInside(logicalInner, 2);

        // Blocks with ink whose four pixels are not all alike: none in the enlargement.
        int inkBlocks = 0, detailed = 0;
        for (int y = inner.top(); y + 1 <= inner.bottom(); y += 2)
            for (int x = inner.left(); x + 1 <= inner.right(); x += 2) {
                const QRgb a = atDevice.pixel(x, y), b = atDevice.pixel(x + 1, y),
                           c = atDevice.pixel(x, y + 1), d = atDevice.pixel(x + 1, y + 1);
                if (!(isDark(a) || isDark(b) || isDark(c) || isDark(d)))
                    continue;
                ++inkBlocks;
                detailed += (a != b || a != c || a != d) ? 1 : 0;
            }
        QVERIFY2(inkBlocks > 100, "no text in the box");
        QVERIFY2(detailed * 2 >= inkBlocks,
                 qPrintable(QStringLiteral("only %1 of %2 blocks with ink have detail finer than "
                                           "a logical pixel")
                                .arg(detailed)
                                .arg(inkBlocks)));

        // The same lines, and along each the ink in the same columns within two device pixels.
        const std::vector<Span> lines = textLines(atDevice, inner);
        const std::vector<Span> linesAtOne = textLines(enlarged, inner);
        QCOMPARE(lines.size(), linesAtOne.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const QString what = QStringLiteral("line %1").arg(i + 1);
            QVERIFY2(std::abs(lines[i].first - linesAtOne[i].first) <= 2 &&
                         std::abs(lines[i].last - linesAtOne[i].last) <= 2,
                     qPrintable(QStringLiteral("%1: rows %2-%3 at 2, %4-%5 enlarged from 1")
                                    .arg(what)
                                    .arg(lines[i].first)
                                    .arg(lines[i].last)
                                    .arg(linesAtOne[i].first)
                                    .arg(linesAtOne[i].last)));
            const Span rows{std::min(lines[i].first, linesAtOne[i].first),
                            std::max(lines[i].last, linesAtOne[i].last)};
            std::vector<int> columns, columnsAtOne;
            for (int x = inner.left(); x <= inner.right(); ++x) {
                if (inkInColumn(atDevice, x, rows))
                    columns.push_back(x);
                if (inkInColumn(enlarged, x, rows))
                    columnsAtOne.push_back(x);
            }
            // Every column of ink in either has one in the other within two pixels.
            const auto near = [](const std::vector<int>& in, int x) {
                const auto it = std::lower_bound(in.begin(), in.end(), x - 2);
                return it != in.end() && *it <= x + 2;
            };
            for (int x : columns)
                QVERIFY2(
                    near(columnsAtOne, x),
                    qPrintable(QStringLiteral("%1: ink in column %2 at 2 only").arg(what).arg(x)));
            for (int x : columnsAtOne)
                QVERIFY2(near(columns, x), qPrintable(QStringLiteral("%1: ink in column %2 "
                                                                     "enlarged from 1 only")
                                                          .arg(what)
                                                          .arg(x)));
        }
    }
};

// Runs the checks once per factor, each in a process of its own.
class AtEveryFactor : public QObject {
    Q_OBJECT
private slots:
    void checks_data() {
        QTest::addColumn<QString>("factor");
        for (const char* f : {"1", "1.25", "1.5", "2"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void checks() {
        QFETCH(QString, factor);
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY2(run.waitForFinished(120000), "the checks did not finish in two minutes");
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
    }
};

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        QCoreApplication application(argc, argv);
        AtEveryFactor test;
        return QTest::qExec(&test, argc, argv);
    }
    QApplication application(argc, argv);
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "scaling_test.moc"
