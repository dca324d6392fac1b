#include "widgets/traceline.h"

namespace ort {

QPolygonF traceLine(const SampleHistory &history, const std::vector<ColumnSpan> &spans, double width,
                    long long first, long long last, const TimeScale &time, const ValueScale &value)
{
    auto point = [&](double t, double v) { return QPointF(time.x(t), value.y(v)); };
    const double origin = history.origin();
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(spans.size() * 2 + 2));
    const std::size_t before = history.lowerBound(origin + first * width);
    if (before > 0)
        line << point(history.time(before - 1), history.value(before - 1));
    for (const ColumnSpan &c : spans) {
        const double t = origin + (c.column + 0.5) * width;
        const bool endsHigh = c.max - c.last < c.last - c.min;
        line << point(t, endsHigh ? c.min : c.max);
        if (c.max != c.min)
            line << point(t, endsHigh ? c.max : c.min);
    }
    const std::size_t after = history.lowerBound(origin + (last + 1) * width);
    if (after < history.size())
        line << point(history.time(after), history.value(after));
    return line;
}

} // namespace ort
