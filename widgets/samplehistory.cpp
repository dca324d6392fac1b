#include "widgets/samplehistory.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

namespace ort {

namespace {

// Signed changes are stored as unsigned numbers, small ones small. The sums
// are taken modulo 2^64, so any time comes back as it went in.
uint64_t zigzag(uint64_t v)
{
    return (v << 1) ^ (0 - (v >> 63));
}

uint64_t unzigzag(uint64_t z)
{
    return (z >> 1) ^ (0 - (z & 1));
}

uint32_t bitsOf(float v)
{
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

float floatOf(uint32_t b)
{
    float v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

// The value one whole step away from `previous`, computed the same way when
// writing and when reading.
float stepped(float previous, int step)
{
    return static_cast<float>(static_cast<double>(previous) + step);
}

} // namespace

long long SampleHistory::toMs(double time)
{
    if (!std::isfinite(time) || std::abs(time) > 9e12)
        return 0;
    return std::llround(time * 1000.0);
}

void SampleHistory::put(uint64_t bits, int count)
{
    if (count < 64)
        bits &= (uint64_t(1) << count) - 1;
    const uint64_t word = m_bits >> 6;
    const int offset = static_cast<int>(m_bits & 63);
    const uint64_t lastWord = (m_bits + static_cast<uint64_t>(count) - 1) >> 6;
    while (m_pages.size() * PageWords <= lastWord)
        m_pages.emplace_back(new uint64_t[PageWords]());
    m_pages[word / PageWords][word % PageWords] |= bits << offset;
    if (offset + count > 64)
        m_pages[(word + 1) / PageWords][(word + 1) % PageWords] |= bits >> (64 - offset);
    m_bits += static_cast<uint64_t>(count);
}

uint64_t SampleHistory::get(uint64_t at, int count) const
{
    const uint64_t word = at >> 6;
    const int offset = static_cast<int>(at & 63);
    uint64_t v = m_pages[word / PageWords][word % PageWords] >> offset;
    if (offset + count > 64)
        v |= m_pages[(word + 1) / PageWords][(word + 1) % PageWords] << (64 - offset);
    return count == 64 ? v : v & ((uint64_t(1) << count) - 1);
}

// After a block's first sample, each sample is written as
//   time: the change of its step from the one before, zigzagged:
//         0 -> "0", < 16 -> "10" + 4 bits, < 4096 -> "110" + 12 bits,
//         else "111" + 64 bits;
//   value: the same bits -> "0", a whole step of -128..127 -> "10" + 8 bits,
//         else "11" + the 32 bits of the float.
// (Codes are written first bit first.)
void SampleHistory::append(double time, float value)
{
    const long long ms = toMs(time);
    if (m_size % BlockSize == 0) {
        if (m_size == 0)
            m_originMs = ms;
        m_blocks.push_back({ms, m_bits, value});
        m_lastStep = 0;
    } else {
        const uint64_t step = static_cast<uint64_t>(ms) - static_cast<uint64_t>(m_lastMs);
        const uint64_t z = zigzag(step - static_cast<uint64_t>(m_lastStep));
        if (z == 0) {
            put(0, 1);
        } else if (z < 16) {
            put(0b01, 2);
            put(z, 4);
        } else if (z < 4096) {
            put(0b011, 3);
            put(z, 12);
        } else {
            put(0b111, 3);
            put(z, 64);
        }
        m_lastStep = static_cast<long long>(step);

        const double change = static_cast<double>(value) - static_cast<double>(m_lastValue);
        if (bitsOf(value) == bitsOf(m_lastValue)) {
            put(0, 1);
        } else if (change >= -128 && change <= 127 && change == std::floor(change) &&
                   bitsOf(stepped(m_lastValue, static_cast<int>(change))) == bitsOf(value)) {
            put(0b01, 2);
            put(static_cast<uint8_t>(static_cast<int8_t>(change)), 8);
        } else {
            put(0b11, 2);
            put(bitsOf(value), 32);
        }
    }
    m_lastMs = ms;
    m_lastValue = value;
    ++m_size;
}

void SampleHistory::clear()
{
    std::vector<Block>().swap(m_blocks);
    std::vector<std::unique_ptr<uint64_t[]>>().swap(m_pages);
    m_bits = 0;
    m_size = 0;
    m_originMs = 0;
    m_lastMs = 0;
    m_lastStep = 0;
    m_lastValue = 0;
}

std::size_t SampleHistory::bytes() const
{
    return m_pages.size() * PageWords * sizeof(uint64_t) + m_blocks.capacity() * sizeof(Block);
}

SampleHistory::Cursor::Cursor(const SampleHistory &history, std::size_t index) : m_history(&history)
{
    startBlock(index / BlockSize);
    while (m_index < index)
        next();
}

void SampleHistory::Cursor::startBlock(std::size_t block)
{
    const Block &b = m_history->m_blocks[block];
    m_index = block * BlockSize;
    m_bit = b.bit;
    m_ms = b.firstMs;
    m_step = 0;
    m_value = b.firstValue;
}

void SampleHistory::Cursor::next()
{
    if ((m_index + 1) % BlockSize == 0) {
        startBlock((m_index + 1) / BlockSize);
        return;
    }
    ++m_index;
    const SampleHistory &h = *m_history;
    auto bit = [&] { return h.get(m_bit++, 1) != 0; };
    auto bits = [&](int n) {
        const uint64_t v = h.get(m_bit, n);
        m_bit += static_cast<uint64_t>(n);
        return v;
    };
    uint64_t z = 0;
    if (bit())
        z = !bit() ? bits(4) : !bit() ? bits(12) : bits(64);
    m_step = static_cast<long long>(static_cast<uint64_t>(m_step) + unzigzag(z));
    m_ms = static_cast<long long>(static_cast<uint64_t>(m_ms) + static_cast<uint64_t>(m_step));
    if (bit()) {
        if (!bit())
            m_value = stepped(m_value, static_cast<int8_t>(bits(8)));
        else
            m_value = floatOf(static_cast<uint32_t>(bits(32)));
    }
}

// `before(ms)` tells whether a sample at that time lies before the one sought.
template<typename Before>
std::size_t SampleHistory::firstNotBefore(Before before) const
{
    // The first block that does not start before it; the answer lies in the
    // block ahead of that one, or is that block's first sample.
    const auto after =
        std::partition_point(m_blocks.begin(), m_blocks.end(), [&](const Block &b) { return before(b.firstMs); });
    const std::size_t k = static_cast<std::size_t>(after - m_blocks.begin());
    if (k == 0)
        return 0;
    const std::size_t begin = (k - 1) * BlockSize;
    const std::size_t end = std::min(m_size, k * BlockSize);
    Cursor c(*this, begin);
    for (std::size_t i = begin;; c.next()) {
        if (!before(c.ms()))
            return i;
        if (++i == end)
            return end;
    }
}

std::size_t SampleHistory::lowerBound(double t) const
{
    return firstNotBefore([t](long long ms) { return fromMs(ms) < t; });
}

std::size_t SampleHistory::lowerBoundOffset(double offset) const
{
    const long long origin = m_originMs;
    return firstNotBefore([offset, origin](long long ms) { return static_cast<double>(ms - origin) / 1000.0 < offset; });
}

namespace {
// The column k with k * width <= t < (k + 1) * width, compared exactly as the
// column edges are when samples are looked up, so a sample on an edge lands
// in the same column however the cache got there.
long long columnOf(double t, double width)
{
    auto c = static_cast<long long>(std::floor(t / width));
    if (static_cast<double>(c) * width > t)
        --c;
    else if (static_cast<double>(c + 1) * width <= t)
        ++c;
    return c;
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
        const auto keep = std::lower_bound(m_spans.begin(), m_spans.end(), first,
                                           [](const ColumnSpan &c, long long k) { return c.column < k; });
        m_spans.erase(m_spans.begin(), keep);
        m_first = first;
    }

    const std::size_t end = history.lowerBoundOffset((last + 1) * width);
    if (end > m_consumed) {
        double nextEdge = m_spans.empty() ? -1e300 : (m_spans.back().column + 1) * width;
        SampleHistory::Cursor sample(history, m_consumed);
        for (std::size_t i = m_consumed;; sample.next()) {
            const double t = sample.offset();
            const float value = sample.value();
            bool started = false;
            if (t >= nextEdge || m_spans.empty()) {
                const long long c = std::max(m_first, columnOf(t, width));
                nextEdge = (c + 1) * width;
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
