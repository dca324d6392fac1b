#include "cli/logformat.h"
#include "link/chip.h"
#include "log/logrecord.h"
#include "registers/registermap.h"

#include <QFile>

namespace ort::cli {

namespace {
const QByteArray CsvHeaderWithoutStatus = QByteArrayLiteral("time,remote,local");
} // namespace

QByteArray logStart(LogFormat format, bool continuing)
{
    switch (format) {
    case LogFormat::Tsv:
        return continuing ? logRestartMarker() : logHeader();
    case LogFormat::Csv:
        return continuing ? QByteArray() : CsvHeaderWithoutStatus + ",status,alert\n";
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

QByteArray logRecord(LogFormat format, const QDateTime &when, int remote, int local, std::optional<RecordStatus> status)
{
    switch (format) {
    case LogFormat::Tsv:
        return logRecordLine(when.time().msecsSinceStartOfDay() / 1000.0, remote, local);
    case LogFormat::Csv: {
        QByteArray line = isoTime(when).toLatin1() + ',' + QByteArray::number(remote) + ',' + QByteArray::number(local);
        if (status)
            line += ',' + QByteArray::number(status->status) + ',' + (status->alert ? '1' : '0');
        return line + '\n';
    }
    case LogFormat::Jsonl: {
        QByteArray line = "{\"time\":\"" + isoTime(when).toLatin1() + "\",\"remote\":" + QByteArray::number(remote) +
                          ",\"local\":" + QByteArray::number(local);
        if (status) {
            // The register map's names are plain words: nothing to escape.
            const QStringList flags = namedBits(chip::Status, status->status);
            line += ",\"status\":" + QByteArray::number(status->status) + ",\"flags\":[" +
                    (flags.isEmpty() ? QByteArray() : '"' + flags.join(QStringLiteral("\",\"")).toLatin1() + '"') +
                    "],\"alert\":" + (status->alert ? "true" : "false");
        }
        return line + "}\n";
    }
    }
    return {};
}

bool csvWithoutStatus(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.readLine().trimmed() == CsvHeaderWithoutStatus;
}

QStringList namedBits(uint8_t reg, uint8_t value)
{
    QStringList names;
    for (std::string_view name : setBitNames(reg, value))
        names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return names;
}

} // namespace ort::cli
