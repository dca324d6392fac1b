#pragma once
#include <QString>

// The limit gauges' scale as pure functions. A gauge runs over whole
// positions 0 to 255: limits from 0 to +127 C sit at 128 to 255, the negative
// ones from -1 to -127 C at 1 to 127 by their magnitude (not in temperature
// order), and -128 C at 0.

namespace ort {

// The high pointer is kept at least this many positions above the low one.
inline constexpr int LimitSeparation = 5;

// Where a limit register's byte sits on the scale: 0x5A (90) at 218, 0x00 at
// 128, 0xC9 (-55) at 55, 0x80 (-128) at 0.
int GaugePosition(int limitByte);
// The same, as the easy setup places what it reads back: 0x80 lands at 128,
// beside 0 C, instead of at 0.
int ReadBackPosition(int limitByte);
// The limit byte written for a position: 218 gives 0x5A, 54 gives 0xCA, 0
// gives 0x80. Positions off the scale are taken at its nearest end.
int LimitByte(int position);

// A limit's caption, "90 C", "0 C", "-55 C": signed, no plus sign, a space
// before the C. From the register's byte, or from a position on the scale.
QString LimitCaption(int limitByte);
QString PositionCaption(int position);

// The separation rule for a dragged pointer, against the band's other end:
// the high pointer is pushed up to bandStart + 5, the low one down to
// bandEnd - 5. Near an end of the scale that lies off it; the result is then
// held at the end, so that the gauge shows the very byte it writes, even
// though the two limits are then closer than 5.
int SeparatedHigh(int high, int bandStart);
int SeparatedLow(int low, int bandEnd);

} // namespace ort
