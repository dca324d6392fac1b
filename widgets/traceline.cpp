#include "widgets/traceline.h"

#include <algorithm>

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

std::vector<ColumnRun> markedRuns(const SampleHistory &marks, const std::vector<ColumnSpan> &spans, double width,
                                  long long first, long long last, double until)
{
    std::vector<ColumnRun> runs;
    if (marks.empty() || !(width > 0))
        return runs;
    const long long end = std::min(last, columnOf(until - marks.origin(), width));
    auto shade = [&](long long from, long long to) {
        if (from > to)
            return;
        if (!runs.empty() && runs.back().last + 1 >= from)
            runs.back().last = std::max(runs.back().last, to);
        else
            runs.push_back({from, to});
    };
    // The state the view starts in is the last one set before it.
    const std::size_t before = marks.lowerBoundOffset(static_cast<double>(first) * width);
    bool on = before > 0 && marks.value(before - 1) != 0;
    long long next = first;   // the first column not settled yet
    for (const ColumnSpan &c : spans) {
        if (c.column > end)
            break;
        if (on)
            shade(next, c.column - 1);
        if (on || c.max != 0)
            shade(c.column, c.column);
        on = c.last != 0;
        next = c.column + 1;
    }
    if (on)
        shade(next, end);
    return runs;
}

} // namespace ort
