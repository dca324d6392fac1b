#pragma once
#include "console/transferring.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// What the console shows of a transfer, and the same as CSV: pure functions.

namespace ort {

enum class TransferColumn { Time, Route, Address, Direction, Register, Data, Result, Took, Count };

// The table's column titles, in TransferColumn order.
QStringList transferHeaders();
// Who reads a cell: people (the table: their language, their decimal sign)
// or scripts (the CSV file: as below, whatever the language).
enum class Readers { People, Scripts };
// One cell: "12.345678" (seconds), "printer port 378h" or "SMBus at 5000h" or
// "SMBus /dev/i2c-1", "4Ch", "read", "0Ah", "1Ah" (bytes in two digits), "acknowledged" or "not
// acknowledged" or the failure's text, "578.0" (microseconds). A part the
// transfer does not have is empty.
QString transferCell(const TransferRing &ring, const TransferRecord &record, TransferColumn column,
                     Readers readers = Readers::Scripts);

// Comma-separated, a header line first, CR LF line ends, fields quoted where
// they hold a comma, a quote or a line end. The same cells as the table,
// under names a script can use.
QByteArray transferCsvHeader();
QByteArray transferCsvLine(const TransferRing &ring, const TransferRecord &record);
QByteArray csvField(const QString &text);
// A byte in two hexadecimal digits and "h", so that a column of them lines up: "0Ah".
QString byteText(int value);

} // namespace ort
