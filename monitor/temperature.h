#pragma once
#include "link/chip.h"

#include <QString>
#include <cstdint>

// What the measurement cycle makes of a temperature register, as pure
// functions.

namespace ort {

// A temperature register's byte (0 to 255) as whole degrees Celsius: two's
// complement, so 0x19 is 25, 0xFF is -1 and 0x80 is -128.
int16_t decodeTemperature(int byte);

// The percent bar's level for a temperature: the whole part of
// (t + 128) / 2.55, so -128 gives 0, 0 gives 50 and +127 gives 100.
int percentBarLevel(int celsius);

// A bar's caption: the prefix ("Remote Temp. = "), then "-" and the
// magnitude below zero, 0 at zero, and above zero the plain number on the
// printer-port route but "+" and the number on the SMBus route; "C" follows.
QString barCaption(const QString &prefix, int celsius, chip::Route route);

// The one-shot's reading: "-5C" below zero, "+25C" above; zero is "0C" on
// the SMBus route and "+0C" on the printer-port route.
QString oneShotCaption(int celsius, chip::Route route);

} // namespace ort
