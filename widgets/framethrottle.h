#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace ort {

// Repaints at most IntervalMs apart for something that may change every few
// milliseconds: a frame for each change would cost far more than the eye
// gains from it. A change asks for a frame; one asked for moments after the
// last waits, and the frame comes when the interval is up.
class FrameThrottle : public QObject {
public:
    static constexpr int IntervalMs = 40;

    // `due` runs when a frame that had to wait is due.
    explicit FrameThrottle(std::function<void()> due, QObject *parent = nullptr);

    // Whether the frame may be painted now; if not, `due` runs later (once,
    // however often it is asked for in between).
    bool request();
    // A frame was painted: the interval starts again.
    void painted() { m_last.start(); }
    bool waiting() const { return m_timer.isActive(); }

private:
    QTimer m_timer;
    QElapsedTimer m_last;
};

} // namespace ort
