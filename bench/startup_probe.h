#pragma once
// For the start-up benchmark: ends the program as soon as a window has been painted for the first
// time, so that the time from starting the process to its end is the time to the first picture.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace kadelo::bench {

class EndAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !ending_) {
            ending_ = true;
            // Queued: runs once the paint and the flush to the screen are done.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool ending_ = false;
};

inline void endAfterFirstPaint(QWidget& window)
{
    window.installEventFilter(new EndAfterFirstPaint(&window));
}

} // namespace kadelo::bench
