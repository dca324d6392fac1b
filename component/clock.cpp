#include "component/clock.h"

#include <cmath>
#include <ctime>

namespace ort {

double SystemClock::now() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double SystemClock::secondsSinceMidnight() const
{
    using namespace std::chrono;
    const auto wall = system_clock::now();
    const std::time_t t = system_clock::to_time_t(wall);
    std::tm local{};
    localtime_r(&t, &local);
    const double fraction =
        duration<double>(wall.time_since_epoch()).count() - std::floor(duration<double>(wall.time_since_epoch()).count());
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

double ManualClock::secondsSinceMidnight() const
{
    return std::fmod(m_timeOfDay0 + m_now, 86400.0);
}

void ManualClock::setTimeOfDay(double secondsSinceMidnight)
{
    m_timeOfDay0 = secondsSinceMidnight - m_now;
}

} // namespace ort
