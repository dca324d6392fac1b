#pragma once
#include <optional>
#include <utility>

namespace ort {

// What the lamp's changes tell the world outside the window (the desktop, a
// lab's pager): one start and one end per episode. At the fastest rates the
// chip's noise at a limit flips the lamp several times in one crossing; each
// flip stays in the record, the chart and the lamp, but a pager should ring
// once. So an end is told only once the lamp has stayed clear `quiet`
// seconds, and a start within that time goes on with the same episode. Pure.
//
// `Change` is what is told: the lamp's new state (`alert`) and what was known
// of the chip at the change; an end is told with what was known when the lamp
// cleared, not when the quiet time ran out.
template <typename Change>
class AlertEpisode {
public:
    static constexpr double Quiet = 10;

    explicit AlertEpisode(double quiet = Quiet) : m_quiet(quiet) {}

    // One read at `now` (monotonic seconds), with the lamp's change at it if
    // it changed: what to tell now, if anything.
    std::optional<Change> read(std::optional<Change> change, double now)
    {
        if (change && change->alert) {
            const bool begins = !m_in;
            m_in = true;
            m_end.reset();
            return begins ? std::move(change) : std::nullopt;
        }
        if (change && m_in) {
            m_end = std::move(change);
            m_clearedAt = now;
        }
        if (m_end && now - m_clearedAt >= m_quiet)
            return finish();
        return std::nullopt;
    }

    // Nothing more will be read (the log ends): the end still to be told.
    std::optional<Change> finish()
    {
        m_in = false;
        return std::exchange(m_end, std::nullopt);
    }

    // The lamp is no longer watched: nothing is owed.
    void forget()
    {
        m_in = false;
        m_end.reset();
    }

private:
    double m_quiet;
    bool m_in = false;
    std::optional<Change> m_end;
    double m_clearedAt = 0;
};

} // namespace ort
