#include "app/program.h"
#include "support/right_answers.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <vector>

using namespace kt;
using namespace kt::qt;

namespace {

using kt::test::rightOption;
using kt::test::wrongOption;

FormWidget* visibleWindow() {
    FormWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<FormWidget*>(w); form && form->isVisible()) {
            if (found)
                return nullptr; // more than one window on screen
            found = form;
        }
    return found;
}

QString label2(FormWidget* window) {
    return qobject_cast<QLabel*>(window->control(ControlId::Label2))->text();
}

void clickControl(FormWidget* window, ControlId id) {
    QWidget* control = window->control(id);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

} // namespace

class ClickThroughTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installBuiltInFonts(); }

    // The message box the product shows names the error; it waits for the user, who closes it.
    // It runs first: once a test has ended the program, Qt ends every new event loop at once.
    void theErrorMessageNamesTheError() {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = box->text();
            box->accept();
        });
        showErrorMessage({6, "Переполнение"});
        QCOMPARE(shown, QStringLiteral("Ошибка выполнения 6: Переполнение."));
    }

    void wrongAndRightClicksLeadToTheMark() {
        std::vector<std::string> errors;
        QtWindowSystem screen([&](const RuntimeErrorReport& e) { errors.emplace_back(e.text); });
        Program program(screen);
        program.start();

        // Wrong clicks per window: 0, 1, 2, 0, 3, 0, 0, 1, 0, 2 -> 9 in all -> mark 2.
        const int wrong[10] = {0, 1, 2, 0, 3, 0, 0, 1, 0, 2};
        for (int n = 1; n <= 10; ++n) {
            FormWidget* window = visibleWindow();
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QString::number(n));
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), window->control(ControlId::Command1));
            QCOMPARE(label2(window), QString());

            clickControl(window, ControlId::Command1); // nothing chosen yet: nothing happens
            QCOMPARE(label2(window), QString());
            QCOMPARE(visibleWindow(), window);

            for (int i = 0; i < wrong[n - 1]; ++i) {
                clickControl(window, wrongOption(n));
                clickControl(window, ControlId::Command1);
                QVERIFY(label2(window) == "???" || label2(window) == "?");
                QCOMPARE(visibleWindow(), window);
            }
            clickControl(window, rightOption(n));
            QVERIFY(qobject_cast<QRadioButton*>(window->control(rightOption(n)))->isChecked());
            clickControl(window, ControlId::Command1);
            QVERIFY(!window->isVisible());
            QCOMPARE(label2(window), " " + QString::number(wrong[n - 1]));
        }
        FormWidget* result = visibleWindow();
        QVERIFY(result);
        QCOMPARE(result->windowTitle(), QStringLiteral("Результат"));
        QCOMPARE(qobject_cast<QLabel*>(result->control(ControlId::Label1))->text(),
                 QStringLiteral("Результат:"));
        QCOMPARE(label2(result), QStringLiteral(" 2"));
        QCOMPARE(qobject_cast<QPushButton*>(result->control(ControlId::Command1))->text(),
                 QStringLiteral("Выход"));
        QVERIFY(!screen.ended());

        clickControl(result, ControlId::Command1);
        QVERIFY(screen.ended());
        QCOMPARE(screen.exitCode(), 0);
        QVERIFY(program.ended());
        QVERIFY(!result->isVisible());
        QVERIFY(errors.empty());
    }

    void theKeyboardAloneTakesTheTest() {
        QtWindowSystem screen([](const RuntimeErrorReport&) {});
        Program program(screen);
        program.start();
        for (int n = 1; n <= 10; ++n) {
            FormWidget* window = visibleWindow();
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            // Tab past the statement into the options, arrow to the right one, Tab back round
            // to the button.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Picture1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            const int right =
                static_cast<int>(rightOption(n)) - static_cast<int>(ControlId::Option1);
            for (int i = 0; i < right; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            QCOMPARE(QApplication::focusWidget()->objectName(),
                     QString::fromUtf8(controlName(rightOption(n)).data()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), window->control(ControlId::Command1));
            QTest::keyClick(QApplication::focusWidget(), n % 2 ? Qt::Key_Return : Qt::Key_Space);
            QVERIFY2(!window->isVisible(), qPrintable("window " + QString::number(n)));
        }
        FormWidget* result = visibleWindow();
        QVERIFY(result);
        QCOMPARE(label2(result), QStringLiteral(" 5"));
        QVERIFY(QTest::qWaitForWindowActive(result));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(screen.ended());
    }

    void theOverflowIsReportedAndEndsTheProgram() {
        std::vector<std::string> errors;
        QtWindowSystem screen([&](const RuntimeErrorReport& e) { errors.emplace_back(e.text); });
        Program program(screen);
        program.start();
        FormWidget* window = visibleWindow();
        QVERIFY(window);
        qobject_cast<QRadioButton*>(window->control(ControlId::Option1))->setChecked(true);
        auto* command = qobject_cast<QPushButton*>(window->control(ControlId::Command1));
        for (int i = 0; i < 32767; ++i)
            command->click();
        QVERIFY(errors.empty());
        QVERIFY(!screen.ended());
        command->click();
        QCOMPARE(errors, std::vector<std::string>{"Переполнение"});
        QVERIFY(screen.ended());
        QCOMPARE(screen.exitCode(), 1);
        QVERIFY(!window->isVisible());
    }

    void closingTheVisibleWindowEndsTheProgram() {
        QtWindowSystem screen([](const RuntimeErrorReport&) {});
        Program program(screen);
        program.start();
        FormWidget* window = visibleWindow();
        clickControl(window, ControlId::Option3);
        clickControl(window, ControlId::Command1);
        FormWidget* second = visibleWindow();
        QVERIFY(second && second != window);
        second->close();
        QVERIFY(screen.ended());
        QCOMPARE(screen.exitCode(), 0);
        QCOMPARE(visibleWindow(), nullptr);
    }
};

QTEST_MAIN(ClickThroughTest)
#include "click_through_test.moc"
