#include "widgets/framethrottle.h"

#include <algorithm>

namespace ort {

FrameThrottle::FrameThrottle(std::function<void()> due, QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, std::move(due));
}

bool FrameThrottle::request()
{
    if (m_timer.isActive())
        return false;
    const qint64 since = m_last.isValid() ? m_last.elapsed() : IntervalMs;
    if (since >= IntervalMs)
        return true;
    m_timer.start(static_cast<int>(std::max<qint64>(1, IntervalMs - since)));
    return false;
}

} // namespace ort
