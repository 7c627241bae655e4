#include "app/program.h"
#include "app/program_description.h"
#include "questions/question_texts.h"
#include "support/no_events.h"
#include "support/right_answers.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/qt_window_system.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace kt;
using namespace kt::qt;
using kt::test::NoEvents;

Q_DECLARE_METATYPE(kt::FormId)

namespace {

// What assistive technology reads of a widget, through Qt's accessibility interfaces.
QString accessible(QWidget* widget, QAccessible::Text what) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(what) : QStringLiteral("(no interface)");
}

QAccessible::Role roleOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->role();
}

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    NoEvents m_events;

private slots:
    void initTestCase() { installBuiltInFonts(); }

    void questionWindows_data() {
        QTest::addColumn<int>("number");
        for (int n = 1; n <= 10; ++n)
            QTest::newRow(qPrintable("Form" + QString::number(n))) << n;
    }
    void questionWindows() {
        QFETCH(int, number);
        const FormId form = formNumber(number);
        FormWidget window(descriptionOf(form), m_events);
        const QuestionText& text = kQuestionTexts[indexOf(form)];

        QCOMPARE(window.windowTitle(), QString::number(number));
        QCOMPARE(accessible(&window, QAccessible::Name),
                 QStringLiteral("Вопрос %1 из 10").arg(number));
        QCOMPARE(roleOf(&window), QAccessible::Window);

        QWidget* statement = window.control(ControlId::Picture1);
        QCOMPARE(accessible(statement, QAccessible::Name), QStringLiteral("Вопрос %1").arg(number));
        QCOMPARE(accessible(statement, QAccessible::Description), q(text.statement));
        QVERIFY(accessible(statement, QAccessible::Description)
                    .startsWith(QString::number(number) + ". "));

        const char* const letters[] = {"А. ", "Б. ", "В. "};
        for (int i = 0; i < 3; ++i) {
            QWidget* option = window.control(kt::test::kAllOptions[static_cast<std::size_t>(i)]);
            QCOMPARE(roleOf(option), QAccessible::RadioButton);
            QCOMPARE(accessible(option, QAccessible::Name),
                     q(text.choices[static_cast<std::size_t>(i)]));
            QVERIFY(accessible(option, QAccessible::Name).startsWith(letters[i]));
        }
        QCOMPARE(accessible(window.control(ControlId::Command1), QAccessible::Name),
                 QStringLiteral("Далее"));

        QWidget* graph = window.control(ControlId::Picture2);
        QCOMPARE(graph != nullptr, !text.graph.empty());
        if (graph) {
            QVERIFY(accessible(graph, QAccessible::Name).startsWith(QStringLiteral("Рисунок")));
            QVERIFY(accessible(graph, QAccessible::Description)
                        .contains(QStringLiteral("Время от 0 до")));
        }
    }

    void marksAreSpokenAndTheResultAnnouncesTheMark() {
        QtWindowSystem screen([](const RuntimeErrorReport&) {});
        Program program(screen);
        program.start();
        auto* window = qobject_cast<FormWidget*>(QApplication::topLevelWidgets().first());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FormWidget*>(w); f && f->isVisible())
                window = f;
        QVERIFY(window);
        QWidget* label = window->control(ControlId::Label2);
        QCOMPARE(accessible(label, QAccessible::Name), QString());

        // That each wrong answer reaches a screen reader as news is checked end to end over
        // the AT-SPI bus; here, what it reads.
        qobject_cast<QRadioButton*>(window->control(ControlId::Option1))->setChecked(true);
        qobject_cast<QPushButton*>(window->control(ControlId::Command1))->click();
        QCOMPARE(qobject_cast<QLabel*>(label)->text(), QStringLiteral("???"));
        qobject_cast<QPushButton*>(window->control(ControlId::Command1))->click();
        QCOMPARE(accessible(label, QAccessible::Name), q(kWrongAnswerSpoken));

        for (int n = 0; n < 10; ++n) {
            FormWidget* shown = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* f = qobject_cast<FormWidget*>(w); f && f->isVisible())
                    shown = f;
            QVERIFY(shown);
            qobject_cast<QRadioButton*>(shown->control(kt::test::rightOption(n + 1)))
                ->setChecked(true);
            qobject_cast<QPushButton*>(shown->control(ControlId::Command1))->click();
        }
        FormWidget* result = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FormWidget*>(w); f && f->isVisible())
                result = f;
        QVERIFY(result);
        QCOMPARE(result->windowTitle(), QStringLiteral("Результат"));
        QCOMPARE(accessible(result->control(ControlId::Label2), QAccessible::Name),
                 QStringLiteral("Оценка: 4")); // two wrong answers in window 1
        QCOMPARE(accessible(result->control(ControlId::Label1), QAccessible::Name),
                 QStringLiteral("Результат:"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
