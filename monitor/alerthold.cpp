#include "monitor/alerthold.h"

#include <algorithm>
#include <cmath>

namespace ort {

double conversionPeriod(int rateCode)
{
    return 16.0 / std::ldexp(1.0, std::clamp(rateCode, 0, 7));
}

bool AlertHold::read(bool limitFlagged, double now, double period)
{
    if (limitFlagged) {
        m_lastFlagged = now;
        return true;
    }
    if (m_lastFlagged && now - *m_lastFlagged < period * Tolerance)
        return true;
    m_lastFlagged.reset();
    return false;
}

} // namespace ort
