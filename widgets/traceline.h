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

} // namespace ort
