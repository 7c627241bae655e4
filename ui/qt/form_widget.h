#pragma once

#include "app/form_id.h"
#include "ui/description.h"
#include "ui/window_system.h"

#include <QHash>
#include <QWidget>

class QAbstractButton;
class QLabel;

namespace kt::qt {

// A top-level window built from its description: the client area at 15 twips to a pixel, the
// controls in list order, stacked and tab-ordered as the description says.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(FormId form, const WindowDescription& description, WindowEvents& events);

    FormId form() const { return m_form; }
    const WindowDescription& description() const { return m_description; }
    // The control of that name, as built; nullptr when the window has none.
    QWidget* control(std::string_view name) const;
    QWidget* firstInTabOrder() const { return m_firstInTabOrder; }

    void showCentred();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window is painted before its controls: the faces their captions need are made
    // drawable here, once the window is on screen rather than before.
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createControl(const ControlDescription& c);
    void stackAndOrder();

    FormId m_form;
    const WindowDescription& m_description;
    WindowEvents& m_events;
    QHash<QString, QWidget*> m_controls;
    QWidget* m_firstInTabOrder = nullptr;
    bool m_placed = false;
};

// The Window interface over a FormWidget.
class QtWindow final : public Window {
public:
    QtWindow(FormId form, const WindowDescription& description, WindowEvents& events);
    ~QtWindow() override;

    void show() override;
    void hide() override;
    bool isVisible() const override;
    std::string caption(std::string_view control) const override;
    void setCaption(std::string_view control, std::string_view text) override;
    bool value(std::string_view control) const override;

    FormWidget* widget() const { return m_widget; }

private:
    QWidget& find(std::string_view control) const;

    FormWidget* m_widget;
};

} // namespace kt::qt
