#include "ui/qt/form_widget.h"

#include "ui/qt/accessibility.h"
#include "ui/qt/fonts.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/system_colours.h"
#include "ui/qt/text.h"
#include "ui/qt/twips.h"
#include "ui/qt/window_frame.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <cassert>
#include <numeric>
#include <vector>

namespace kt::qt {

namespace {

Qt::Alignment toQt(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Right:
        return Qt::AlignRight;
    case TextAlignment::Centre:
        return Qt::AlignHCenter;
    case TextAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// A radio button on the button face: the square behind its circle is filled, over the statement
// picture beneath. It paints the face itself rather than ask Qt to fill its background, which
// would make Qt cut the button out of the picture box's painting, and at fractional display
// scales the box's edge pixels would then come out differently with and without the button.
class OptionButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(rect(), palette().color(QPalette::Window));
        QRadioButton::paintEvent(event);
    }
};

} // namespace

FormWidget::FormWidget(const WindowDescription& description, WindowEvents& events)
    : m_description(description), m_events(events) {
    setWindowTitle(toQString(description.Caption));
    setObjectName(toQString(description.Name));
    setAutoFillBackground(true);
    resize(clientSize(description));
    for (const auto& c : description.controls())
        m_controls[static_cast<std::size_t>(c.id)] = createControl(c);
    stackAndOrder();
    describeForAssistiveTechnology(*this);
}

QWidget* FormWidget::createControl(const ControlDescription& c) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::PictureBox: {
        widget = new PictureBox(c.Picture, c.border, this);
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(toQString(c.Caption), this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(toQt(c.Alignment) | Qt::AlignTop);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(c.ForeColor, palette));
        label->setPalette(palette);
        widget = label;
        break;
    }
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(toQString(c.Caption), this);
        // Enter clicks the button that has the focus, as Space does; the window still has no
        // default button that Enter would reach from elsewhere.
        button->setAutoDefault(true);
        button->setFocusPolicy(Qt::StrongFocus);
        if (c.id == ControlId::Command1)
            connect(button, &QPushButton::clicked, this, [this] { m_events.commandClicked(); });
        widget = button;
        break;
    }
    case ControlKind::OptionButton: {
        auto* option = new OptionButton(toQString(c.Caption), this);
        option->setFocusPolicy(Qt::StrongFocus);
        widget = option;
        break;
    }
    }
    widget->setObjectName(toQString(controlName(c.id)));
    widget->setGeometry(toQRect(c.rect));
    if (c.Font)
        widget->setFont(fontFor(*c.Font));
    return widget;
}

// Earlier controls lie in front of later ones; labels are drawn on the window itself and so lie
// behind everything else. Focus moves in rising tab index.
void FormWidget::stackAndOrder() {
    const auto controls = m_description.controls();
    std::vector<std::size_t> bottomUp(controls.size());
    std::iota(bottomUp.begin(), bottomUp.end(), std::size_t{0});
    std::sort(bottomUp.begin(), bottomUp.end(), [&](std::size_t a, std::size_t b) {
        return layerOf(m_description, a) < layerOf(m_description, b);
    });
    for (const std::size_t place : bottomUp)
        control(controls[place].id)->raise();

    QWidget* previous = nullptr;
    for (const std::size_t place : tabOrder(m_description)) {
        QWidget* next = control(controls[place].id);
        if (next->focusPolicy() == Qt::NoFocus || controls[place].kind == ControlKind::Label)
            continue;
        if (previous)
            setTabOrder(previous, next);
        else
            m_firstInTabOrder = next;
        previous = next;
    }
}

QPoint framePosition(QSize frame, const QRect& available) {
    const auto along = [](int start, int room, int length) {
        return start + std::max(0, (room - length) / 2);
    };
    return {along(available.left(), available.width(), frame.width()),
            along(available.top(), available.height(), frame.height())};
}

namespace {

// The window manager's frame. Every window has the same frame: it is asked for once, before the
// first window is shown; should no answer come, it is measured on the first window once that is
// framed, for the windows after it.
QMargins g_frameSeen;
bool g_frameAsked = false;

QMargins frameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

// Placed before it is shown, and never moved after: a window that is moved once it is on screen
// is seen to jump.
void FormWidget::placeFrame(const QMargins& frame) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint to = framePosition(size().grownBy(frame), screen->availableGeometry());
    // The client area's position: the window manager keeps it and puts the frame around it.
    setGeometry(QRect(to + QPoint(frame.left(), frame.top()), size()));
}

void FormWidget::showCentred() {
    if (!m_placed && m_description.StartUpPosition == StartPosition::CentreScreen) {
        m_placed = true;
        if (!g_frameAsked) {
            g_frameAsked = true;
            const auto frame = frameBeforeShow(*this);
            g_frameSeen = frame.value_or(QMargins());
            m_frameUnseen = !frame;
        }
        placeFrame(g_frameSeen);
    }
    describeAsItAppears(*this);
    show();
    raise();
    activateWindow();
    if (m_firstInTabOrder)
        m_firstInTabOrder->setFocus(Qt::ActiveWindowFocusReason);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    m_events.closedByUser();
}

void FormWidget::paintEvent(QPaintEvent* event) {
    installBuiltInFonts();
    installProgramIconSoon();
    // By the first paint the window manager has framed the window: the frame can be measured,
    // for the windows shown after this one.
    if (m_frameUnseen) {
        m_frameUnseen = false;
        g_frameSeen = frameOf(*this);
    }
    QWidget::paintEvent(event);
}

QtWindow::QtWindow(const WindowDescription& description, WindowEvents& events)
    : m_widget(std::make_unique<FormWidget>(description, events)) {}

void QtWindow::show() {
    m_widget->showCentred();
}

void QtWindow::hide() {
    m_widget->hide();
}

bool QtWindow::isVisible() const {
    return m_widget->isVisible();
}

QWidget& QtWindow::find(ControlId control) const {
    QWidget* widget = m_widget->control(control);
    assert(widget && "the program names only controls its descriptions have");
    return *widget;
}

std::string QtWindow::caption(ControlId control) const {
    QWidget& widget = find(control);
    if (auto* label = qobject_cast<QLabel*>(&widget))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        return button->text().toStdString();
    return {};
}

void QtWindow::setCaption(ControlId control, std::string_view text, std::string_view spokenText) {
    QWidget& widget = find(control);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        const QString caption = toQString(text);
        const QString spoken = toQString(spokenText);
        // The spoken name goes first: QLabel announces a new text of its own accord while it has
        // no name, and the news is to come once.
        if (spoken != label->accessibleName()) {
            label->setAccessibleName(spoken);
        } else {
            // A second wrong answer writes the same mark again; it is news all the same.
            QAccessibleEvent event(label, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        label->setText(caption);
        // Told at once, with the focus left where it is; a window not yet shown tells its mark
        // as it appears.
        if (spoken != caption && m_widget->isVisible())
            announce(*m_widget, spoken);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        button->setText(toQString(text));
}

bool QtWindow::value(ControlId control) const {
    auto* button = qobject_cast<QAbstractButton*>(&find(control));
    return button && button->isChecked();
}

} // namespace kt::qt
