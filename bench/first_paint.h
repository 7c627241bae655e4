#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

// Ends the event loop once the top-level window of the given name has been painted for the
// first time, after that paint has finished.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QString window) : m_window(std::move(window)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == m_window) {
            m_done = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QString m_window;
    bool m_done = false;
};
