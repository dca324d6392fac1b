#pragma once
#include "widgets/chartaxes.h"
#include "widgets/columncache.h"
#include "widgets/samplehistory.h"

#include <QPolygonF>
#include <vector>

namespace ort {

// The line of one trace through the columns first..last, `width` seconds
// each from the history's first sample, as `spans` reduces them: two points
// per column, its extremes, in the order that leaves the line nearer where
// the column ends. Every spike is drawn, and the joins stay close to the
// samples, at half the line work of drawing first and last too. The samples
// just outside the columns carry the line on to the plot's edges.
QPolygonF traceLine(const SampleHistory &history, const std::vector<ColumnSpan> &spans, double width,
                    long long first, long long last, const TimeScale &time, const ValueScale &value);

// Columns first..last to last, inclusive.
struct ColumnRun {
    long long first;
    long long last;
};

// The runs of columns first..last, on the grid of `spans` (`width` seconds
// each from the first entry of `marks`), in which a two-state series is on at
// some moment. `marks` keeps the series where it changes (1 on, 0 off; off
// before its first entry) and `spans` reduces it to columns; the state last
// set holds up to `until` and is unknown after it. A column is shaded
// however briefly the series was on in it, as a trace's spike is drawn.
std::vector<ColumnRun> markedRuns(const SampleHistory &marks, const std::vector<ColumnSpan> &spans, double width,
                                  long long first, long long last, double until);

} // namespace ort
