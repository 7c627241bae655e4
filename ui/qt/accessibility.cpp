#include "ui/qt/accessibility.h"

#include "ui/qt/form_widget.h"
#include "ui/qt/text.h"

#include <QAccessibleWidget>

namespace kt::qt {

namespace {

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
    const WindowDescription& description = window.description();
    if (!description.accessibleName.empty())
        window.setAccessibleName(toQString(description.accessibleName));
    for (const auto& c : description.controls()) {
        QWidget* control = window.control(c.id);
        if (!c.accessibleName.empty())
            control->setAccessibleName(toQString(c.accessibleName));
        if (!c.accessibleDescription.empty())
            control->setAccessibleDescription(toQString(c.accessibleDescription));
    }
}

} // namespace kt::qt
