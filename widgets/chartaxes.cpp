#include "widgets/chartaxes.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace ort {

double timeTickStep(double minStep)
{
    static const double steps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    for (double s : steps)
        if (s >= minStep)
            return s;
    return 3600 * std::ceil(minStep / 3600);
}

std::vector<double> timeTicks(double start, double end, double minStep)
{
    std::vector<double> ticks;
    const double step = timeTickStep(minStep);
    for (double t = std::ceil(start / step) * step; t <= end; t += step)
        ticks.push_back(t);
    return ticks;
}

double valueTickStep(double range, int maxTicks)
{
    const double raw = range / std::max(1, maxTicks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw)
            return m * magnitude;
    return 10 * magnitude;
}

std::vector<double> valueTicks(double min, double max, int maxTicks)
{
    std::vector<double> ticks;
    const double step = valueTickStep(max - min, maxTicks);
    // The top tick may land a rounding error above max after the steps add up.
    for (double v = std::ceil(min / step) * step; v <= max + 1e-9; v += step)
        ticks.push_back(v);
    return ticks;
}

QString formatTime(double epochSeconds, const QString &format)
{
    const std::time_t whole = static_cast<std::time_t>(std::floor(epochSeconds));
    std::tm parts{};
    localtime_r(&whole, &parts);
    char buffer[128];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format.toLocal8Bit().constData(), &parts);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n));
}

} // namespace ort
