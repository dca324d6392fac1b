#pragma once
#include <QWidget>
#include <cmath>

namespace ort {

// Drawing figures are given for a 96 dpi screen and scaled to the widget's
// logical resolution.
inline qreal dpiScale(const QWidget *w)
{
    return w ? w->logicalDpiY() / 96.0 : 1.0;
}

// Halves go to the even neighbour, as pointer values are read as reals.
// Written out rather than std::nearbyint, which follows the global rounding mode.
inline int roundHalfEven(double v)
{
    const double f = std::floor(v);
    const double d = v - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        return static_cast<int>(f + 1.0);
    return static_cast<int>(f);
}

} // namespace ort
