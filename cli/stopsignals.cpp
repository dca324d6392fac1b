#include "cli/stopsignals.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <sys/signalfd.h>
#include <unistd.h>

namespace ort::cli {

StopSignals::StopSignals()
{
    sigemptyset(&m_set);
    sigaddset(&m_set, SIGINT);
    sigaddset(&m_set, SIGTERM);
    sigprocmask(SIG_BLOCK, &m_set, &m_old);
}

StopSignals::~StopSignals()
{
    // A stop asked for and taken is not delivered again when the old mask
    // comes back; one still pending was not taken and ends the process.
    if (m_descriptor >= 0)
        close(m_descriptor);
    sigprocmask(SIG_SETMASK, &m_old, nullptr);
}

int StopSignals::descriptor()
{
    if (m_descriptor < 0)
        m_descriptor = signalfd(-1, &m_set, SFD_NONBLOCK | SFD_CLOEXEC);
    return m_descriptor;
}

bool StopSignals::requested()
{
    return waitFor(0);
}

bool StopSignals::waitFor(double seconds)
{
    if (m_requested)
        return true;
    double whole = 0;
    const double fraction = std::modf(std::max(seconds, 0.0), &whole);
    timespec timeout{static_cast<time_t>(whole), static_cast<long>(fraction * 1e9)};
    for (;;) {
        const int signal = sigtimedwait(&m_set, nullptr, &timeout);
        if (signal == SIGINT || signal == SIGTERM) {
            m_requested = true;
            return true;
        }
        // EINTR: another signal came in; the wait is not over for that.
        // sigtimedwait does not say how much is left, so the rest of a long
        // wait may run a little long, never short of a record.
        if (signal < 0 && errno == EINTR)
            continue;
        return false;
    }
}

} // namespace ort::cli
