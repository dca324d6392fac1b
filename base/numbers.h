#pragma once
#include <cmath>
#include <string>

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

// Hexadecimal in upper case, without prefix, zero-padded to `width` digits:
// 0, 1A, FF, 378; 0C with width 2. Every text of the program that shows an
// address, a base or a byte in hexadecimal is made here.
inline std::string hexDigits(unsigned value, int width = 0)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), Digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return text;
}

} // namespace ort
