#pragma once
#include <csignal>

namespace ort::cli {

// Ctrl+C (SIGINT) and SIGTERM as requests to stop at the next whole step.
// While one lives, the two signals are held back from the process and
// asked for only between steps: a record being written is never cut.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // Whether a stop was asked for; a request stays.
    bool requested();
    // Waits up to `seconds` (at once for 0 or less); true when a stop was
    // asked for meanwhile.
    bool waitFor(double seconds);
    // A descriptor that turns readable when a stop is asked for, for an
    // event loop to watch; requested() then takes the request.
    int descriptor();

private:
    int m_descriptor = -1;
    sigset_t m_set;
    sigset_t m_old;
    bool m_requested = false;
};

} // namespace ort::cli
