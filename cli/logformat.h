#pragma once
#include "cli/invocation.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <optional>

// The tool's log lines in each format, as pure functions. tsv is the
// window program's own log, byte for byte; csv and jsonl carry the date and
// time in ISO 8601 with the offset from UTC, to the millisecond, so that a
// log across midnight or of several records a second stays in order, and
// the status byte with the alert as the window's lamp shows it, so that a
// night's log says when and for how long the chip was in alert.

namespace ort::cli {

// What starts a log: in tsv the header, or the restart marker below an old
// log; in csv its header line when the file is new; nothing in jsonl.
QByteArray logStart(LogFormat format, bool continuing);

// The status byte read for a record and the alert after that read.
struct RecordStatus {
    uint8_t status = 0;
    bool alert = false;
};
// Without a status (tsv; a csv begun without those columns) the record has
// the time and the temperatures alone.
QByteArray logRecord(LogFormat format, const QDateTime &when, int remote, int local,
                     std::optional<RecordStatus> status = std::nullopt);

// A csv log begun before its records carried the status: its records go on
// with the columns its header names.
bool csvWithoutStatus(const QString &file);

// The names of a register byte's set bits, as the register map names them.
QStringList namedBits(uint8_t reg, uint8_t value);

// "2026-12-08T23:59:59.250+01:00"
QString isoTime(const QDateTime &when);

} // namespace ort::cli
