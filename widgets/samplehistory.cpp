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
    const double relStart = start - history.origin();
    // Columns change far less often than samples come, so each sample is
    // only compared with the next column's edge, and the column being filled
    // is kept in locals rather than in the vector.
    double nextEdge = -1e300;
    ColumnSpan cur{-1, 0, 0, 0, 0};
    history.forEachRun(first, last, [&](const float *t, const float *v, std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) {
            const float value = v[k];
            if (t[k] >= nextEdge) {
                const int c = std::clamp(static_cast<int>((t[k] - relStart) * perSecond), 0, columns - 1);
                nextEdge = c == columns - 1 ? 1e300 : relStart + (c + 1) / perSecond;
                if (c != cur.column) {
                    if (cur.column >= 0)
                        out.push_back(cur);
                    cur = {c, value, value, value, value};
                    continue;
                }
            }
            cur.last = value;
            cur.min = std::min(cur.min, value);
            cur.max = std::max(cur.max, value);
        }
    });
    if (cur.column >= 0)
        out.push_back(cur);
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
