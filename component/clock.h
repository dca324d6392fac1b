#pragma once
#include <chrono>
#include <cstdint>

namespace ort {

// The one source of time for the simulated board and for the program's time
// of day, so that tests can run the whole program in virtual time.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time in seconds since an arbitrary origin.
    virtual double now() const = 0;
    // Local time of day in seconds since midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
};

class SystemClock final : public Clock {
public:
    double now() const override;
    double secondsSinceMidnight() const override;
};

// A clock that moves only when told to; time of day advances with it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(double timeOfDay = 12 * 3600.0) : m_timeOfDay0(timeOfDay) {}
    double now() const override { return m_now; }
    double secondsSinceMidnight() const override;
    void advance(double seconds) { m_now += seconds; }
    void setTimeOfDay(double secondsSinceMidnight);

private:
    double m_now = 0;
    double m_timeOfDay0;
};

} // namespace ort
