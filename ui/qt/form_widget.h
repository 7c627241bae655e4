#pragma once

#include "ui/description.h"
#include "ui/window_system.h"

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QLabel;

namespace kt::qt {

// A top-level window built from its description: the client area at 15 twips to a pixel, the
// controls in list order, stacked and tab-ordered as the description says.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(const WindowDescription& description, WindowEvents& events);

    const WindowDescription& description() const { return m_description; }
    // The control, as built; nullptr when the window has none.
    QWidget* control(ControlId id) const { return m_controls[static_cast<std::size_t>(id)]; }

    void showCentred();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window is painted before its controls: the faces their captions need are made
    // drawable here, once the window is on screen rather than before; and here the window
    // manager's frame is measured, when it was not known before.
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createControl(const ControlDescription& c);
    void stackAndOrder();
    void placeFrame(const QMargins& frame);

    const WindowDescription& m_description;
    WindowEvents& m_events;
    std::array<QWidget*, kControlIdCount> m_controls{};
    QWidget* m_firstInTabOrder = nullptr;
    bool m_placed = false;
    bool m_frameUnseen = false; // the first window, placed without the window manager's frame
};

// Where a window's outer frame goes: centred on the available area, except that a frame larger
// than the area along an axis starts at the area's edge, so that the title bar and the left-most
// controls stay on screen.
QPoint framePosition(QSize frame, const QRect& available);

// The Window interface over a FormWidget.
class QtWindow final : public Window {
public:
    QtWindow(const WindowDescription& description, WindowEvents& events);

    void show() override;
    void hide() override;
    bool isVisible() const override;
    std::string caption(ControlId control) const override;
    void setCaption(ControlId control, std::string_view text, std::string_view spoken) override;
    bool value(ControlId control) const override;

    FormWidget* widget() const { return m_widget.get(); }

private:
    QWidget& find(ControlId control) const;

    std::unique_ptr<FormWidget> m_widget; // a top-level window: no parent owns it
};

} // namespace kt::qt
