#pragma once
#include <QString>
#include <cstddef>
#include <memory>
#include <vector>

namespace ort {

// Every sample of one trace, in time order. Times are kept as float offsets
// from the first sample and values as floats, in fixed chunks, so an hour at
// 200 samples a second costs about 5.6 MiB and appending never moves what is
// already stored. Float offsets resolve a millisecond for the first two
// hours and 8 ms after a day, finer than any pixel column.
class SampleHistory {
public:
    static constexpr std::size_t ChunkSize = 16384;

    // Times must not decrease; the chart makes sure of that.
    void append(double time, float value);
    void clear();

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    double time(std::size_t i) const { return m_origin + chunk(i).t[i % ChunkSize]; }
    float value(std::size_t i) const { return chunk(i).v[i % ChunkSize]; }
    // Index of the first sample at or after t (size() if none).
    std::size_t lowerBound(double t) const;
    // Bytes held for samples, including the unused tail of the last chunk.
    std::size_t bytes() const { return m_chunks.size() * sizeof(Chunk); }

    // Calls f(time, value) for samples [first, last), a chunk at a time.
    template<typename F>
    void forEach(std::size_t first, std::size_t last, F &&f) const
    {
        while (first < last) {
            const Chunk &c = chunk(first);
            const std::size_t begin = first % ChunkSize;
            const std::size_t end = std::min(ChunkSize, begin + (last - first));
            for (std::size_t k = begin; k < end; ++k)
                f(m_origin + c.t[k], c.v[k]);
            first += end - begin;
        }
    }

    // Calls f(times, values, n) for samples [first, last), one run per chunk;
    // times are offsets from origin().
    template<typename F>
    void forEachRun(std::size_t first, std::size_t last, F &&f) const
    {
        while (first < last) {
            const Chunk &c = chunk(first);
            const std::size_t begin = first % ChunkSize;
            const std::size_t n = std::min(ChunkSize - begin, last - first);
            f(c.t + begin, c.v + begin, n);
            first += n;
        }
    }
    double origin() const { return m_origin; }

private:
    struct Chunk {
        float t[ChunkSize];
        float v[ChunkSize];
    };
    const Chunk &chunk(std::size_t i) const { return *m_chunks[i / ChunkSize]; }

    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::size_t m_size = 0;
    double m_origin = 0;
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
