#pragma once
#include <cmath>

// Number rules that every layer shares, from the bus access component up to
// the windows and the command-line tool: pure C++, no Qt.

namespace ort {

// Halves go to the even neighbour, as a real read into a whole number does
// throughout the program (gauge pointers, log times, typed decimals).
// Written out rather than std::nearbyint, which follows the global rounding
// mode.
inline int roundHalfEven(double v)
{
    const double f = std::floor(v);
    const double d = v - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        return static_cast<int>(f + 1.0);
    return static_cast<int>(f);
}

// The value of a hexadecimal digit in either case, or -1 for any other
// character. Not std::isxdigit, whose answer depends on the locale and
// which is undefined for a negative char.
constexpr int hexDigitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A') + 10;
    return -1;
}

} // namespace ort
