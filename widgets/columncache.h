#pragma once
#include "widgets/samplehistory.h"

#include <cstddef>
#include <vector>

namespace ort {

// The column k with k * width <= offset < (k + 1) * width, compared exactly
// as the column edges are when samples are looked up, so a sample on an edge
// lands in the same column however it got there.
long long columnOf(double offset, double width);

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
    // Columns kept for the frames to come.
    std::size_t keptColumns() const { return m_spans.size(); }

private:
    // Starts afresh where what is kept cannot serve a view from `first` on.
    void keepFrom(const SampleHistory &history, double width, long long first);
    // Folds the samples from the last one folded in up to `end` into the columns.
    void foldIn(const SampleHistory &history, std::size_t end);

    double m_width = 0;
    long long m_first = 0;              // column index of the oldest column kept
    std::vector<ColumnSpan> m_spans;    // kept columns, oldest first
    std::size_t m_consumed = 0;         // samples folded in so far
    std::vector<ColumnSpan> m_out;
};

} // namespace ort
