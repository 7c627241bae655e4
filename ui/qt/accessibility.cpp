#include "ui/qt/accessibility.h"

#include "questions/question_texts.h"
#include "ui/qt/form_widget.h"

#include <QAccessibleWidget>

namespace kt::qt {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void name(QWidget* widget, const QString& accessibleName, const QString& description = {}) {
    if (!widget)
        return;
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(description);
}

// The program's windows are plain widgets, which Qt presents as mere fillers; screen readers
// announce a window only when it has a window's role.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(FormWidget::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void describeForAssistiveTechnology(FormWidget& window) {
    static const bool factoryInstalled = (QAccessible::installFactory(windowInterface), true);
    (void)factoryInstalled;
    if (!isQuestion(window.form())) {
        window.setAccessibleName(QStringLiteral("Результат теста"));
        return;
    }
    const int number = static_cast<int>(indexOf(window.form())) + 1;
    const QuestionText& text = kQuestionTexts[indexOf(window.form())];
    window.setAccessibleName(QStringLiteral("Вопрос %1 из 10").arg(number));
    name(window.control("Picture1"), QStringLiteral("Вопрос %1").arg(number),
         fromUtf8(text.statement));
    name(window.control("Picture2"), fromUtf8(text.graphName), fromUtf8(text.graph));
    const char* const options[] = {"Option1", "Option2", "Option3"};
    for (std::size_t i = 0; i < 3; ++i)
        name(window.control(options[i]), fromUtf8(text.choices[i]));
}

QString spokenCaption(FormId form, QStringView control, const QString& caption) {
    if (control != u"Label2" || caption.trimmed().isEmpty())
        return caption;
    if (!isQuestion(form))
        return QStringLiteral("Оценка: %1").arg(caption.trimmed());
    // A question window's label shows a wrong answer's mark ("???" or "?"), which a screen
    // reader would spell out sign by sign; its count is written only as the window goes.
    bool isCount = false;
    caption.trimmed().toInt(&isCount);
    return isCount ? caption : fromUtf8(kWrongAnswerSpoken);
}

} // namespace kt::qt
