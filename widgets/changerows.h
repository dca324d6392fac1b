#pragma once
#include "widgets/samplehistory.h"

#include <functional>
#include <span>

namespace ort {

// Several traces' histories walked together in time order, as the rows of a
// table: one row for each millisecond at which some trace's value differs
// from the row before, holding every trace's value as it stands at the end
// of that millisecond. A trace with no sample yet reads NaN. Samples that
// repeat the value before them make no row, so traces sampled 200 times a
// second of something that changes 16 times a second give 16 rows a second.
//
// f(ms, values): the time in the histories' milliseconds (SampleHistory::toMs)
// and one value per trace, in the order the traces were given.
using ChangeRowFunction = std::function<void(long long ms, std::span<const float> values)>;
void forEachChangeRow(std::span<const SampleHistory *const> traces, const ChangeRowFunction &f);

} // namespace ort
