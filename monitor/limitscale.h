#pragma once
#include <QString>

// The limit gauges' scale as pure functions. A gauge runs over whole
// positions 0 to 255 in temperature order: position = temperature + 128, so
// -128 C sits at 0, 0 C at 128 and +127 C at 255, and a pointer to the right
// of another always stands for the higher temperature.

namespace ort {

// The high pointer is kept at least this many positions, degrees, above the
// low one.
inline constexpr int LimitSeparation = 5;

// Where a limit register's byte sits on the scale: the byte with its sign
// bit flipped. 0x5A (90) at 218, 0x00 at 128, 0xC9 (-55) at 73, 0x80 (-128)
// at 0.
int GaugePosition(int limitByte);
// The limit byte written for a position: 218 gives 0x5A, 74 gives 0xCA, 0
// gives 0x80. Positions off the scale are taken at its nearest end.
int limitByte(int position);

// A limit's caption, "90 C", "0 C", "-55 C": signed, no plus sign, a space
// before the C. From the register's byte, or from a position on the scale.
QString LimitCaption(int limitByte);
QString positionCaption(int position);

// The separation rule for a dragged pointer, against the band's other end:
// the high pointer is pushed up to bandStart + 5, the low one down to
// bandEnd - 5. Near an end of the scale the result lies off it.
int separatedHigh(int high, int bandStart);
int separatedLow(int low, int bandEnd);
// Whether a drag may give the chip these limits: both on the scale, the high
// one at least 5 degrees above the low one.
bool limitsApart(int low, int high);

} // namespace ort
