#pragma once
#include <QByteArray>
#include <QString>

// The reading log's lines, byte for byte, as pure functions: plain 8-bit
// text, tab between fields, CR LF at the end of each line. A record and the
// restart marker also begin with a lone CR, which a spreadsheet ignores.

namespace ort {

QByteArray logHeader();          // "Time" TAB "RTemp" TAB "LTemp" CR LF
QByteArray logRestartMarker();   // CR TAB TAB TAB "Restart" CR LF
// CR, the time of day as "hh:mm:ss", TAB, remote, TAB, local, CR LF; the
// remote column comes first.
QByteArray logRecordLine(double secondsSinceMidnight, int remote, int local);
// A temperature as the log writes it: a space in place of the sign for zero
// and above, "-" below, the digits, one trailing space (" 25 ", "-3 ").
QByteArray logNumber(int value);

// The number a text starts with, after leading blanks: an optional sign,
// digits and a fraction; 0 when it does not start with one ("12abc" is 12,
// "abc" is 0). The delay box and the record count are read this way.
double numericValue(const QString &text);

// Seconds since midnight to the nearest whole second, halves to the even one.
int roundedSecond(double secondsSinceMidnight);

// Seconds from the last record's time of day to now, modulo 24 hours, so
// that the delay holds across midnight. The last record's time is rounded
// and may lie up to half a second ahead of the clock: that was a moment ago,
// not a day ago, and gives a little less than nothing.
double secondsSinceRecord(double secondsSinceMidnight, int lastLogTime);

} // namespace ort
