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

void ColumnCache::reset()
{
    m_width = 0;
    m_spans.clear();
    m_consumed = 0;
}

const std::vector<ColumnSpan> &ColumnCache::columns(const SampleHistory &history, double width, long long first,
                                                    long long last)
{
    m_out.clear();
    if (!(width > 0) || last < first || history.empty())
        return m_out;
    const double origin = history.origin();
    const bool ahead = !m_spans.empty() && first > m_spans.back().column + 1;
    if (width != m_width || first < m_first || ahead || m_consumed > history.size()) {
        m_width = width;
        m_first = first;
        m_spans.clear();
        m_consumed = history.lowerBound(origin + first * width);
    }
    // Columns that scrolled out on the left are dropped now and then, so the
    // cache stays near the size of the view.
    if (first - m_first > 4096) {
        const auto keep = std::lower_bound(m_spans.begin(), m_spans.end(), first,
                                           [](const ColumnSpan &c, long long k) { return c.column < k; });
        m_spans.erase(m_spans.begin(), keep);
        m_first = first;
    }

    const std::size_t end = history.lowerBound(origin + (last + 1) * width);
    if (end > m_consumed) {
        double nextEdge = m_spans.empty() ? -1e300 : (m_spans.back().column + 1) * width;
        history.forEachRun(m_consumed, end, [&](const float *t, const float *v, std::size_t n) {
            for (std::size_t k = 0; k < n; ++k) {
                const float value = v[k];
                if (t[k] >= nextEdge || m_spans.empty()) {
                    const long long c = std::max<long long>(m_first, static_cast<long long>(std::floor(t[k] / width)));
                    nextEdge = (c + 1) * width;
                    if (m_spans.empty() || c != m_spans.back().column) {
                        m_spans.push_back({static_cast<int>(c), value, value, value, value});
                        continue;
                    }
                }
                ColumnSpan &s = m_spans.back();
                s.last = value;
                s.min = std::min(s.min, value);
                s.max = std::max(s.max, value);
            }
        });
        m_consumed = end;
    }

    auto c = std::lower_bound(m_spans.begin(), m_spans.end(), first,
                              [](const ColumnSpan &span, long long k) { return span.column < k; });
    for (; c != m_spans.end() && c->column <= last; ++c)
        m_out.push_back(*c);
    return m_out;
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
