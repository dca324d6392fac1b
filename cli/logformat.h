#pragma once
#include "cli/invocation.h"

#include <QByteArray>
#include <QDateTime>

// The tool's log lines in each format, as pure functions. tsv is the
// window program's own log, byte for byte; csv and jsonl carry the date and
// time in ISO 8601 with the offset from UTC, to the millisecond, so that a
// log across midnight or of several records a second stays in order.

namespace ort::cli {

// What starts a log: in tsv the header, or the restart marker below an old
// log; in csv its header line when the file is new; nothing in jsonl.
QByteArray logStart(LogFormat format, bool continuing);

QByteArray logRecord(LogFormat format, const QDateTime &when, int remote, int local);

// "2026-12-08T23:59:59.250+01:00"
QString isoTime(const QDateTime &when);

} // namespace ort::cli
