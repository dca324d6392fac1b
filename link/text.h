#pragma once
#include "link/version.h"

#include <QString>
#include <cstdint>

// The texts every front shows, the windows and the command-line tool alike:
// the names they are joined from and the way numbers are written.

namespace ort {

inline const QString ChipName = QStringLiteral("ORT310");
inline const QString MakerName = QStringLiteral("Velmora");
inline const QString ProductName = ChipName + QStringLiteral(" Evaluation Software");
// The product's name as the windows show it, in the user's language.
QString productTitle();
// "5.0": the project's version, so the programs and the package agree.
inline const QString ProgramVersion = QStringLiteral(ORT_PROGRAM_VERSION);
// The desktop entry's name without ".desktop", so the desktop can match
// the running program to its entry and icon.
inline const QString DesktopId = QStringLiteral(ORT_DESKTOP_ID);

// Hexadecimal in upper case, without prefix, zero-padded to `width` digits:
// 0, 1A, FF; 0C with width 2.
QString hexText(uint32_t value, int width = 0);
// The same with the h the texts put after an address or a base: 4Ch, 378h.
QString hexWithSuffix(uint32_t value);
// Decimal, plain: 0, 26, 255, -55.
QString decimalText(long long value);
// A time of day given in seconds since midnight as "hh:mm:ss", 24-hour; the
// fraction of a second is dropped, as a clock shows it.
QString timeOfDayText(double secondsSinceMidnight);

} // namespace ort
