#include "widgets/samplehistory.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace ort {

void SampleHistory::append(double time, float value)
{
    if (m_size == 0)
        m_origin = time;
    if (m_size == m_chunks.size() * ChunkSize)
        m_chunks.emplace_back(new Chunk);   // left uninitialised: filled as samples come
    Chunk &c = *m_chunks[m_size / ChunkSize];
    c.t[m_size % ChunkSize] = static_cast<float>(time - m_origin);
    c.v[m_size % ChunkSize] = value;
    ++m_size;
}

void SampleHistory::clear()
{
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_size = 0;
    m_origin = 0;
}

std::size_t SampleHistory::lowerBound(double t) const
{
    std::size_t lo = 0, hi = m_size;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (time(mid) < t)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

std::vector<ColumnSpan> reduceToColumns(const SampleHistory &history, double start, double end, int columns)
{
    std::vector<ColumnSpan> out;
    if (columns <= 0 || !(end > start))
        return out;
    const std::size_t first = history.lowerBound(start);
    const std::size_t last = history.lowerBound(end);
    const double perSecond = columns / (end - start);
    history.forEach(first, last, [&](double t, float v) {
        const int c = std::clamp(static_cast<int>((t - start) * perSecond), 0, columns - 1);
        if (out.empty() || out.back().column != c) {
            out.push_back({c, v, v, v, v});
        } else {
            ColumnSpan &s = out.back();
            s.last = v;
            s.min = std::min(s.min, v);
            s.max = std::max(s.max, v);
        }
    });
    return out;
}

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
