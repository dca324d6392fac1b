#include "widgets/changerows.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace ort {

namespace {

struct Walk {
    const SampleHistory *history;
    std::optional<SampleHistory::Cursor> at;
    std::size_t index = 0;
    bool more() const { return index < history->size(); }
};

// Bit for bit, so that "no value yet" (NaN) equals itself.
bool same(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

} // namespace

void forEachChangeRow(std::span<const SampleHistory *const> traces, const ChangeRowFunction &f)
{
    std::vector<Walk> walks;
    walks.reserve(traces.size());
    for (const SampleHistory *history : traces) {
        Walk &w = walks.emplace_back(Walk{history, std::nullopt, 0});
        if (w.more())
            w.at.emplace(*history, 0);
    }
    const float none = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> row(traces.size(), none);
    std::vector<float> shown(traces.size(), none);
    for (;;) {
        long long ms = std::numeric_limits<long long>::max();
        bool any = false;
        for (const Walk &w : walks)
            if (w.more() && (!any || w.at->ms() < ms)) {
                ms = w.at->ms();
                any = true;
            }
        if (!any)
            return;
        // Every sample at this millisecond, so that traces read in the same
        // millisecond share a row.
        for (std::size_t i = 0; i < walks.size(); ++i) {
            Walk &w = walks[i];
            while (w.more() && w.at->ms() == ms) {
                row[i] = w.at->value();
                if (++w.index < w.history->size())
                    w.at->next();
            }
        }
        bool changed = false;
        for (std::size_t i = 0; i < row.size(); ++i)
            changed = changed || !same(row[i], shown[i]);
        if (changed) {
            shown = row;
            f(ms, row);
        }
    }
}

} // namespace ort
