#include "app/program.h"
#include "app/program_description.h"
#include "support/no_events.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace kt;
using namespace kt::qt;
using kt::test::NoEvents;

Q_DECLARE_METATYPE(kt::FormId)

namespace {

const char* nameOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::PictureBox:
        return "picture box";
    case ControlKind::Label:
        return "label";
    case ControlKind::CommandButton:
        return "command button";
    case ControlKind::OptionButton:
        return "option button";
    }
    return "?";
}

} // namespace

class FormWidgetTest : public QObject {
    Q_OBJECT

    NoEvents m_events;

    std::unique_ptr<FormWidget> build(FormId id) {
        return std::make_unique<FormWidget>(descriptionOf(id), m_events);
    }

    void forEachWindow() {
        QTest::addColumn<FormId>("form");
        for (FormId id : kAllForms)
            QTest::newRow(descriptionOf(id).Name.data()) << id;
    }

private slots:
    void initTestCase() { installBuiltInFonts(); }

    // Hand-checked pixel values: the client areas, and the controls whose twips are not a
    // whole number of pixels.
    void pixelSizes_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Form1 client") << FormId::Form1 << QString() << QRect(0, 0, 619, 251);
        QTest::newRow("Form4 client") << FormId::Form4 << QString() << QRect(0, 0, 527, 197);
        QTest::newRow("Form11 client") << FormId::Form11 << QString() << QRect(0, 0, 525, 238);
        QTest::newRow("Form1 Picture2") << FormId::Form1 << "Picture2" << QRect(16, 64, 185, 193);
        QTest::newRow("Form4 Picture1") << FormId::Form4 << "Picture1" << QRect(8, 8, 561, 89);
        QTest::newRow("Form1 Option1") << FormId::Form1 << "Option1" << QRect(56, 48, 17, 17);
        QTest::newRow("Form2 Option1") << FormId::Form2 << "Option1" << QRect(57, 40, 17, 17);
        QTest::newRow("Form5 Label2") << FormId::Form5 << "Label2" << QRect(225, 96, 49, 33);
        QTest::newRow("Form8 Command1") << FormId::Form8 << "Command1" << QRect(295, 88, 81, 33);
        QTest::newRow("Form11 Command1") << FormId::Form11 << "Command1" << QRect(224, 147, 81, 33);
        QTest::newRow("Form11 Label1") << FormId::Form11 << "Label1" << QRect(202, 59, 121, 25);
        QTest::newRow("Form11 Label2") << FormId::Form11 << "Label2" << QRect(240, 99, 49, 33);
    }
    void pixelSizes() {
        QFETCH(FormId, form);
        QFETCH(QString, control);
        QFETCH(QRect, pixels);
        auto window = build(form);
        const QRect actual =
            control.isEmpty() ? window->rect() : window->findChild<QWidget*>(control)->geometry();
        QCOMPARE(actual, pixels);
    }

    // Every control of every window is built, of its kind, at its place, with its caption.
    void everyControl_data() { forEachWindow(); }
    void everyControl() {
        QFETCH(FormId, form);
        auto window = build(form);
        const auto& d = descriptionOf(form);
        QCOMPARE(window->windowTitle(), QString::fromUtf8(d.Caption.data()));
        QCOMPARE(window->size(), QSize((d.ClientWidth + 7) / 15, (d.ClientHeight + 7) / 15));
        for (const auto& c : d.controls()) {
            QWidget* w = window->control(c.id);
            QVERIFY2(w, controlName(c.id).data());
            const QRect expected((c.rect.Left + 7) / 15, (c.rect.Top + 7) / 15,
                                 (c.rect.right() + 7) / 15 - (c.rect.Left + 7) / 15,
                                 (c.rect.bottom() + 7) / 15 - (c.rect.Top + 7) / 15);
            QCOMPARE(w->geometry(), expected);
            QVERIFY(w->isVisibleTo(window.get()));
            switch (c.kind) {
            case ControlKind::PictureBox:
                QVERIFY2(qobject_cast<PictureBox*>(w), nameOf(c.kind));
                break;
            case ControlKind::Label:
                QVERIFY2(qobject_cast<QLabel*>(w), nameOf(c.kind));
                QCOMPARE(qobject_cast<QLabel*>(w)->text(), QString::fromUtf8(c.Caption.data()));
                QVERIFY(qobject_cast<QLabel*>(w)->alignment() & Qt::AlignTop);
                break;
            case ControlKind::CommandButton:
                QVERIFY2(qobject_cast<QPushButton*>(w), nameOf(c.kind));
                QCOMPARE(qobject_cast<QPushButton*>(w)->text(),
                         QString::fromUtf8(c.Caption.data()));
                QVERIFY(!qobject_cast<QPushButton*>(w)->isDefault());
                break;
            case ControlKind::OptionButton:
                QVERIFY2(qobject_cast<QRadioButton*>(w), nameOf(c.kind));
                QVERIFY(!qobject_cast<QRadioButton*>(w)->isChecked());
                break;
            }
            if (c.Font) {
                QCOMPARE(w->font().family(), QStringLiteral("Liberation Serif"));
                QCOMPARE(w->font().pixelSize(), c.Font->Size == 14.25 ? 19 : 27);
                QCOMPARE(w->font().bold(), c.Font->Weight == 700);
            }
        }
    }

    // Earlier controls in front of later ones; labels behind everything else.
    void stacking_data() { forEachWindow(); }
    void stacking() {
        QFETCH(FormId, form);
        auto window = build(form);
        const auto& d = descriptionOf(form);
        QList<QWidget*> stack; // back to front, as Qt keeps its children
        for (QObject* child : window->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                stack.append(w);
        QList<QWidget*> expected;
        for (bool labels : {true, false})
            for (auto it = d.controls().rbegin(); it != d.controls().rend(); ++it)
                if ((it->kind == ControlKind::Label) == labels)
                    expected.append(window->control(it->id));
        QCOMPARE(stack.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(stack[i]->objectName(), expected[i]->objectName());
    }

    // What the pupil sees where controls overlap.
    void overlaps_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QPoint>("twips");
        QTest::addColumn<QString>("onTop");
        QTest::newRow("Form1 option on statement")
            << FormId::Form1 << QPoint(840 + 120, 720 + 120) << "Option1";
        QTest::newRow("Form2 graph over label")
            << FormId::Form2 << QPoint(2520 + 150, 1560 + 150) << "Picture2";
        QTest::newRow("Form2 label clear of graph")
            << FormId::Form2 << QPoint(2895 + 150, 1560 + 150) << "Label2";
        QTest::newRow("Form8 button over label")
            << FormId::Form8 << QPoint(4425 + 5, 1320 + 150) << "Command1";
        // Overlaps of a single pixel: the graph over the label's first 15 twips, the button
        // over the label's last 15.
        QTest::newRow("Form3 graph over label")
            << FormId::Form3 << QPoint(2760 + 5, 1320 + 150) << "Picture2";
        QTest::newRow("Form3 label right of graph")
            << FormId::Form3 << QPoint(2775 + 5, 1320 + 150) << "Label2";
        QTest::newRow("Form9 button over label")
            << FormId::Form9 << QPoint(3330 + 5, 1320 + 150) << "Command1";
        QTest::newRow("Form9 label left of button")
            << FormId::Form9 << QPoint(3330 - 10, 1320 + 150) << "Label2";
    }
    void overlaps() {
        QFETCH(FormId, form);
        QFETCH(QPoint, twips);
        QFETCH(QString, onTop);
        auto window = build(form);
        QWidget* hit = window->childAt(twips / 15);
        QVERIFY(hit);
        while (hit->parentWidget() != window.get())
            hit = hit->parentWidget();
        QCOMPARE(hit->objectName(), onTop);
    }

    // An option button fills the square behind its circle with the button face, where it stands
    // on a statement bitmap's grey as much as on the window.
    void optionButtonsShowTheButtonFace_data() {
        QTest::addColumn<FormId>("form");
        for (FormId id : kAllForms)
            if (descriptionOf(id).control(ControlId::Option1))
                QTest::newRow(descriptionOf(id).Name.data()) << id;
    }
    void optionButtonsShowTheButtonFace() {
        QFETCH(FormId, form);
        auto window = build(form);
        const QImage image = window->grab().toImage();
        const QRgb face = window->palette().color(QPalette::Window).rgb();
        for (const ControlId option :
             {ControlId::Option1, ControlId::Option2, ControlId::Option3}) {
            const char* name = controlName(option).data();
            const QRect r = window->control(option)->geometry();
            // The top corners: on Form1 the graph box, which lies in front, covers the bottom row.
            for (const QPoint corner : {r.topLeft(), r.topRight()})
                QVERIFY2(image.pixel(corner) == face,
                         qPrintable(QStringLiteral("%1 at (%2, %3) is %4, not the button face")
                                        .arg(name)
                                        .arg(corner.x())
                                        .arg(corner.y())
                                        .arg(image.pixel(corner), 8, 16)));
        }
    }

    // A mark is painted in its label's ForeColor: black, or on Form4 the system window-text
    // colour, which here is made blue so that the two differ.
    void markColour_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<bool>("windowText");
        QTest::newRow("Form1 black") << FormId::Form1 << false;
        QTest::newRow("Form4 window text") << FormId::Form4 << true;
    }
    void markColour() {
        QFETCH(FormId, form);
        QFETCH(bool, windowText);
        const QPalette original = QApplication::palette();
        QPalette blue = original;
        blue.setColor(QPalette::WindowText, QColor(0, 0, 192));
        QApplication::setPalette(blue);
        auto window = build(form);
        QApplication::setPalette(original);
        auto* label = qobject_cast<QLabel*>(window->control(ControlId::Label2));
        QVERIFY(label);
        label->setText(QStringLiteral("???"));
        const QImage image = label->grab().toImage();
        const QRgb ink = windowText ? qRgb(0, 0, 192) : qRgb(0, 0, 0);
        const QRgb other = windowText ? qRgb(0, 0, 0) : qRgb(0, 0, 192);
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y) & 0xFFFFFF;
                QVERIFY2(p != (other & 0xFFFFFF), "the mark is painted in the other colour");
                inked += p == (ink & 0xFFFFFF);
            }
        QVERIFY2(inked > 20, "the mark is not painted in its colour");
    }

    // Tab runs in rising tab index over the controls that take the focus (labels take none);
    // the three options are one stop.
    void tabOrder_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("Form1") << FormId::Form1
                               << QStringList{"Command1", "Picture1", "Option1", "Picture2",
                                              "Command1"};
        QTest::newRow("Form4") << FormId::Form4
                               << QStringList{"Command1", "Picture1", "Option1", "Command1"};
        QTest::newRow("Form11") << FormId::Form11 << QStringList{"Command1", "Command1"};
    }
    void tabOrder() {
        QFETCH(FormId, form);
        QFETCH(QStringList, stops);
        auto window = build(form);
        window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, stops);
    }

    void arrowsChooseWithinTheGroup() {
        auto window = build(FormId::Form1);
        window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        auto* option1 = qobject_cast<QRadioButton*>(window->control(ControlId::Option1));
        auto* option2 = qobject_cast<QRadioButton*>(window->control(ControlId::Option2));
        QVERIFY(option1->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), option2);
        QVERIFY(option2->isChecked());
        QVERIFY(!option1->isChecked());
    }

    void showCentresAndFocusesCommand1_data() { forEachWindow(); }
    void showCentresAndFocusesCommand1() {
        QFETCH(FormId, form);
        auto window = build(form);
        window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), window->control(ControlId::Command1));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2((window->frameGeometry().center() - screen.center()).manhattanLength() <= 2,
                 "the window is not centred on the screen");
    }

    void closingTheWindowReachesTheProgram() {
        struct Closed final : WindowEvents {
            int closed = 0;
            void commandClicked() override {}
            void closedByUser() override { ++closed; }
        } events;
        FormWidget window(descriptionOf(FormId::Form3), events);
        window.showCentred();
        window.close();
        QCOMPARE(events.closed, 1);
    }
};

QTEST_MAIN(FormWidgetTest)
#include "form_widget_test.moc"
