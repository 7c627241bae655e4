#include "ui/qt/accessibility.h"

#include "ui/qt/form_widget.h"
#include "ui/qt/text.h"

#include <QAccessibleWidget>

namespace kt::qt {

namespace {

// News told without moving the focus. Qt 6.4 has no announcement, and its events for a changed
// name or description carry the object instead of the words, which Orca then does not speak. A
// notification that comes into view is spoken at once, by its name: this one takes no room and
// never the focus, so nothing of it is seen.
class News final : public QWidget {
    Q_OBJECT
public:
    explicit News(QWidget* window) : QWidget(window) {
        setFocusPolicy(Qt::NoFocus);
        resize(0, 0);
        hide();
    }
};

// The program's windows are plain widgets, which Qt presents as mere fillers; screen readers
// announce a window only when it has a window's role.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(FormWidget::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String(News::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
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

// Orca reads a window's description after its name when the window becomes active, before the
// control with the focus.
void describeAsItAppears(FormWidget& window) {
    const auto& describedBy = window.description().describedBy;
    if (!describedBy)
        return;
    const QWidget* control = window.control(*describedBy);
    window.setAccessibleDescription(control->accessibleDescription().isEmpty()
                                        ? control->accessibleName()
                                        : control->accessibleDescription());
}

void announce(FormWidget& window, const QString& words) {
    auto* news = window.findChild<News*>(QString(), Qt::FindDirectChildrenOnly);
    if (!news)
        news = new News(&window);
    news->setAccessibleName(words);
    // The same words again are news again: they come into view once more.
    news->hide();
    news->show();
}

} // namespace kt::qt

#include "accessibility.moc"
