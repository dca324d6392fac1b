#pragma once
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
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
// whole, and each later one as the change of its time step (one bit when the
// step repeats) and of its value (one bit when it repeats, ten for a change of
// a whole degree or so). A day of one trace at 200 samples a second takes a
// few MiB instead of 130. Reading a sample decodes at most one block, so what
// a frame costs does not depend on how much history there is.
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
        long long ms() const { return m_ms; }
        float value() const { return m_value; }
        // Seconds since the first sample of the history, exactly.
        double offset() const { return static_cast<double>(m_ms - m_history->m_originMs) / 1000.0; }
        // Moves to the next sample; there must be one.
        void next();

    private:
        void startBlock(std::size_t block);
        const SampleHistory *m_history;
        std::size_t m_index = 0;
        uint64_t m_bit = 0;
        long long m_ms = 0;
        long long m_step = 0;
        float m_value = 0;
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
        uint64_t bit;      // where the block's later samples begin in the bit stream
        float firstValue;
    };
    // The bit stream lives in pages that never move, so appending copies
    // nothing and a day's history is never reallocated.
    static constexpr std::size_t PageWords = 4096;
    template<typename Before>
    std::size_t firstNotBefore(Before before) const;
    void put(uint64_t bits, int count);
    uint64_t get(uint64_t at, int count) const;

    std::vector<Block> m_blocks;
    std::vector<std::unique_ptr<uint64_t[]>> m_pages;
    uint64_t m_bits = 0;   // bits written
    std::size_t m_size = 0;
    long long m_originMs = 0;
    long long m_lastMs = 0;
    long long m_lastStep = 0;
    float m_lastValue = 0;
};

// One pixel column of a decimated trace: the extremes and the first and last
// value that fall into it, enough to draw every spike however short.
struct ColumnSpan {
    long long column;
    float first;
    float last;
    float min;
    float max;
};

// Min/max spans of one trace on a grid of columns fixed in time (column k
// covers origin + [k, k+1) * width), kept from frame to frame: a frame folds
// in only the samples that arrived since the last one, so a scrolling view
// costs the same whether it shows a minute or an hour. A change of width,
// or a view that moves back before what is kept, starts it afresh.
// The cost of a frame follows the samples that are new since the last one,
// never the length of the history.
class ColumnCache {
public:
    // Spans of the columns first..last (inclusive) that hold samples, in
    // column order; ColumnSpan::column is the absolute column index.
    const std::vector<ColumnSpan> &columns(const SampleHistory &history, double width, long long first,
                                           long long last);
    void reset();

private:
    double m_width = 0;
    long long m_first = 0;              // column index of the oldest column kept
    std::vector<ColumnSpan> m_spans;    // kept columns, oldest first
    std::size_t m_consumed = 0;         // samples folded in so far
    std::vector<ColumnSpan> m_out;
};

// Tick times on a time axis: multiples of the smallest round step (1 s to
// 1 h) not shorter than minStep, inside [start, end].
double timeTickStep(double minStep);
std::vector<double> timeTicks(double start, double end, double minStep);

// strftime-style formatting of a time in seconds since the epoch, local time.
QString formatTime(double epochSeconds, const QString &format);

} // namespace ort
