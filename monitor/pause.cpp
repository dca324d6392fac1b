#include "monitor/pause.h"
#include "component/clock.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace ort {

void Pause(const Clock &clock, double seconds, const EventPump &pump)
{
    if (seconds <= 0)
        return;
    const double start = clock.now();
    for (double left = seconds; left > 0; left = seconds - (clock.now() - start))
        pump(left);
}

EventPump windowEventPump()
{
    return [](double seconds) {
        QEventLoop loop;
        QTimer::singleShot(std::max(1, static_cast<int>(std::ceil(seconds * 1000))), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace ort
