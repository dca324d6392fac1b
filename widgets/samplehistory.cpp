#include "widgets/samplehistory.h"

#include <algorithm>
#include <cmath>

namespace ort {

long long SampleHistory::toMs(double time)
{
    if (!std::isfinite(time) || std::abs(time) > 9e12)
        return 0;
    return std::llround(time * 1000.0);
}

void SampleHistory::append(double time, float value)
{
    const long long ms = toMs(time);
    if (m_size % BlockSize == 0) {
        if (m_size == 0)
            m_originMs = ms;
        m_blocks.push_back({ms, m_stream.size(), value});
        m_writer.start(ms, value);
    } else {
        m_writer.write(m_stream, ms, value);
    }
    ++m_size;
}

void SampleHistory::clear()
{
    std::vector<Block>().swap(m_blocks);
    m_stream.clear();
    m_writer = {};
    m_size = 0;
    m_originMs = 0;
}

std::size_t SampleHistory::bytes() const
{
    return m_stream.bytes() + m_blocks.capacity() * sizeof(Block);
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
    m_codec.start(b.firstMs, b.firstValue);
}

void SampleHistory::Cursor::next()
{
    if ((m_index + 1) % BlockSize == 0) {
        startBlock((m_index + 1) / BlockSize);
        return;
    }
    ++m_index;
    m_codec.read(m_history->m_stream, m_bit);
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

} // namespace ort
