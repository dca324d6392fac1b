#pragma once
#include "widgets/bitstream.h"
#include "widgets/samplecodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ort {

// Every sample of one trace, in time order, kept losslessly but compactly.
// Times are kept in whole milliseconds (a pixel column is never narrower than
// several) and values as floats: a value comes back bit for bit, a time as
// the millisecond it was kept at.
//
// Samples come about 200 a second while the chip converts at most 16 times a
// second, so most values repeat, and the timer's step mostly repeats too. So
// samples are packed in blocks of BlockSize: a block keeps its first sample
// whole, and each later one in the few bits of SampleCodec. A day of one
// trace at 200 samples a second takes a few MiB instead of 130. Reading a
// sample decodes at most one block, so what a frame costs does not depend on
// how much history there is.
class SampleHistory {
public:
    static constexpr std::size_t BlockSize = 256;

    // A time as the history keeps it, in whole milliseconds.
    static long long toMs(double time);
    static double fromMs(long long ms) { return static_cast<double>(ms) / 1000.0; }

    SampleHistory() = default;
    SampleHistory(const SampleHistory &) = delete;
    SampleHistory &operator=(const SampleHistory &) = delete;

    // Times should not decrease (the chart makes sure of that); a time that
    // does is kept as it is, but lowerBound then assumes order.
    void append(double time, float value);
    void clear();

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    double time(std::size_t i) const { return fromMs(Cursor(*this, i).ms()); }
    float value(std::size_t i) const { return Cursor(*this, i).value(); }
    // Index of the first sample at or after t (size() if none).
    std::size_t lowerBound(double t) const;
    // The same for a time given as seconds since the first sample, compared
    // as Cursor::offset() gives it.
    std::size_t lowerBoundOffset(double offset) const;
    // Bytes held for the samples, including the unused tail of the last page.
    std::size_t bytes() const;
    // Time of the first sample.
    double origin() const { return fromMs(m_originMs); }

    // Reads the samples in order from a given one.
    class Cursor {
    public:
        Cursor(const SampleHistory &history, std::size_t index);
        long long ms() const { return m_codec.ms(); }
        float value() const { return m_codec.value(); }
        // Seconds since the first sample of the history, exactly.
        double offset() const { return static_cast<double>(m_codec.ms() - m_history->m_originMs) / 1000.0; }
        // Moves to the next sample; there must be one.
        void next();

    private:
        void startBlock(std::size_t block);
        const SampleHistory *m_history;
        std::size_t m_index = 0;
        uint64_t m_bit = 0;
        SampleCodec m_codec;
    };

    // Calls f(time, value) for samples [first, last).
    template<typename F>
    void forEach(std::size_t first, std::size_t last, F &&f) const
    {
        if (first >= last)
            return;
        Cursor c(*this, first);
        for (std::size_t i = first;;) {
            f(fromMs(c.ms()), c.value());
            if (++i == last)
                break;
            c.next();
        }
    }

private:
    friend class Cursor;
    struct Block {
        long long firstMs;
        uint64_t bit;      // where the block's later samples begin in the stream
        float firstValue;
    };
    template<typename Before>
    std::size_t firstNotBefore(Before before) const;

    std::vector<Block> m_blocks;
    BitStream m_stream;
    SampleCodec m_writer;   // at the last sample appended
    std::size_t m_size = 0;
    long long m_originMs = 0;
};

} // namespace ort
