#pragma once
#include "gui/version.h"

#include <QColor>
#include <QString>
#include <cstdint>

namespace ort {

// Names that the windows' texts are joined from.
inline const QString ChipName = QStringLiteral("ORT310");
inline const QString MakerName = QStringLiteral("Velmora");
inline const QString ProductName = ChipName + QStringLiteral(" Evaluation Software");
// "5.0": the project's version, so the windows and the package agree.
inline const QString ProgramVersion = QStringLiteral(ORT_PROGRAM_VERSION);
// The desktop entry's name without ".desktop", so the desktop can match
// the running program to its entry and icon.
inline const QString DesktopId = QStringLiteral(ORT_DESKTOP_ID);

// Hexadecimal in upper case, without prefix or leading zeros: 0, 1A, FF.
QString hexText(uint32_t value);
// Decimal, plain: 0, 26, 255, -55.
QString decimalText(long long value);
// A time of day given in seconds since midnight as "hh:mm:ss", 24-hour; the
// fraction of a second is dropped, as a clock shows it.
QString timeOfDayText(double secondsSinceMidnight);

// The documented colours.
namespace colour {
inline const QColor Red(255, 0, 0);             // an alert; a write button whose box was edited
inline const QColor Green(0, 255, 0);           // no alert; a written entry
inline const QColor LightGrey(192, 192, 192);   // alert checking off
inline const QColor DarkRed(192, 0, 0);         // the wizard's refusal texts
inline const QColor DarkGreen(0, 128, 0);       // the wizard's medium descriptions
} // namespace colour

} // namespace ort
