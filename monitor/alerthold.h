#pragma once
#include <optional>

// The alert lamp as the chip's status flags allow it to be read. Pure.
//
// The chip clears its flags when the status is read and latches them again
// only at its next conversion, so every read between two conversions comes
// back clear while the temperature is still outside its limits. A clear read
// ends the alert only once a whole conversion has had the chance to flag it
// again since the last flagged read.

namespace ort {

// Seconds from one conversion to the next at a rate code: 16 s at code 0,
// halving with each code up to 1/8 s at 7; codes above 7 act as 7.
double conversionPeriod(int rateCode);

class AlertHold {
public:
    // A chip's conversion clock is not exact: the hold lasts a quarter of a
    // period longer, so a conversion that comes a little late does not
    // flash the lamp green between two flagged reads.
    static constexpr double Tolerance = 1.25;

    // One status read at `now` (monotonic seconds): whether the lamp shows
    // an alert after it.
    bool read(bool limitFlagged, double now, double period);

private:
    std::optional<double> m_lastFlagged;
};

} // namespace ort
