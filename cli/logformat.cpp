#include "cli/logformat.h"
#include "log/logrecord.h"

namespace ort::cli {

QByteArray logStart(LogFormat format, bool continuing)
{
    switch (format) {
    case LogFormat::Tsv:
        return continuing ? logRestartMarker() : logHeader();
    case LogFormat::Csv:
        return continuing ? QByteArray() : QByteArrayLiteral("time,remote,local\n");
    case LogFormat::Jsonl:
        break;
    }
    return {};
}

QString isoTime(const QDateTime &when)
{
    // The offset written out even for local time, which Qt would leave bare.
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QByteArray logRecord(LogFormat format, const QDateTime &when, int remote, int local)
{
    switch (format) {
    case LogFormat::Tsv:
        return logRecordLine(when.time().msecsSinceStartOfDay() / 1000.0, remote, local);
    case LogFormat::Csv:
        return isoTime(when).toLatin1() + ',' + QByteArray::number(remote) + ',' + QByteArray::number(local) + '\n';
    case LogFormat::Jsonl:
        return "{\"time\":\"" + isoTime(when).toLatin1() + "\",\"remote\":" + QByteArray::number(remote) +
               ",\"local\":" + QByteArray::number(local) + "}\n";
    }
    return {};
}

} // namespace ort::cli
