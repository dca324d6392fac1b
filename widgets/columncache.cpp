#include "widgets/columncache.h"

#include <algorithm>
#include <cmath>

namespace ort {

long long columnOf(double offset, double width)
{
    auto c = static_cast<long long>(std::floor(offset / width));
    if (static_cast<double>(c) * width > offset)
        --c;
    else if (static_cast<double>(c + 1) * width <= offset)
        ++c;
    return c;
}

namespace {
bool beforeColumn(const ColumnSpan &span, long long k)
{
    return span.column < k;
}
} // namespace

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
    keepFrom(history, width, first);
    foldIn(history, history.lowerBoundOffset((last + 1) * width));
    auto c = std::lower_bound(m_spans.begin(), m_spans.end(), first, beforeColumn);
    for (; c != m_spans.end() && c->column <= last; ++c)
        m_out.push_back(*c);
    return m_out;
}

void ColumnCache::keepFrom(const SampleHistory &history, double width, long long first)
{
    const bool ahead = !m_spans.empty() && first > m_spans.back().column + 1;
    if (width != m_width || first < m_first || ahead || m_consumed > history.size()) {
        m_width = width;
        m_first = first;
        m_spans.clear();
        m_consumed = history.lowerBoundOffset(first * width);
    }
    // Columns that scrolled out on the left are dropped now and then, so the
    // cache stays near the size of the view.
    if (first - m_first > 4096) {
        m_spans.erase(m_spans.begin(), std::lower_bound(m_spans.begin(), m_spans.end(), first, beforeColumn));
        m_first = first;
    }
}

void ColumnCache::foldIn(const SampleHistory &history, std::size_t end)
{
    if (end <= m_consumed)
        return;
    double nextEdge = m_spans.empty() ? -1e300 : (m_spans.back().column + 1) * m_width;
    SampleHistory::Cursor sample(history, m_consumed);
    for (std::size_t i = m_consumed;; sample.next()) {
        const double t = sample.offset();
        const float value = sample.value();
        bool started = false;
        if (t >= nextEdge || m_spans.empty()) {
            const long long c = std::max(m_first, columnOf(t, m_width));
            nextEdge = (c + 1) * m_width;
            if (m_spans.empty() || c != m_spans.back().column) {
                m_spans.push_back({c, value, value, value, value});
                started = true;
            }
        }
        if (!started) {
            ColumnSpan &s = m_spans.back();
            s.last = value;
            s.min = std::min(s.min, value);
            s.max = std::max(s.max, value);
        }
        if (++i == end)
            break;
    }
    m_consumed = end;
}

} // namespace ort
