#include "cli/logloop.h"
#include "cli/alerts.h"
#include "cli/logformat.h"
#include "cli/output.h"
#include "cli/session.h"
#include "cli/stopsignals.h"
#include "log/logfile.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Tool)
};


// A failure that ends the log after part of its work was done; the text
// says what was done.
class Interrupted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString recordsText(long long records)
{
    // English has no catalogue to give it the singular.
    return records == 1 ? Words::tr("1 record")
                        : Words::tr("%n records", nullptr, int(std::min<long long>(records, INT_MAX)));
}

} // namespace

int logReadings(Session &s, const Invocation &run, const ToolIo &io)
{
    // "-" writes to standard output, where a pipe takes the records as they come.
    const bool toOutput = run.logFile == QLatin1String("-");
    const QString where = toOutput ? QStringLiteral("standard output") : run.logFile;
    const QString whereWritten = toOutput ? where : QStringLiteral("the log file ") + where;
    LogFile file;
    if (!toOutput)
        file.setName(run.logFile);
    const auto append = [&](const QByteArray &bytes) {
        if (!toOutput)
            return file.append(bytes);
        if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), io.out) != static_cast<size_t>(bytes.size()) ||
            std::fflush(io.out) != 0)
            throw LogFileError(std::strerror(errno));
    };
    StopSignals stop;
    long long written = 0;
    const auto fileFailed = [&](const std::exception &e) {
        return Interrupted(QStringLiteral("Writing %1 failed after %2: %3")
                               .arg(whereWritten, recordsText(written), QString::fromUtf8(e.what()))
                               .toStdString());
    };
    // The status is read only for a record that carries it or a command
    // that needs it: a tsv log's bus traffic stays as it was.
    std::optional<AlertWatch> alerts;
    if (run.format != LogFormat::Tsv || !run.onAlert.isEmpty())
        alerts.emplace(s, io.monotonic, run.onAlert, io.err);
    const bool withStatus =
        run.format != LogFormat::Tsv && !(run.format == LogFormat::Csv && !toOutput && csvWithoutStatus(run.logFile));
    if (run.format == LogFormat::Csv && !withStatus)
        say(io.err, Words::tr("%1 was begun without the status and alert columns; its records go on without them")
                        .arg(run.logFile));
    try {
        append(logStart(run.format, !toOutput && file.hasContent()));
    } catch (const LogFileError &e) {
        throw fileFailed(e);
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    double due = 0;
    while (!stop.requested()) {
        if (run.count && written >= *run.count)
            break;
        if (run.duration && (due >= *run.duration || elapsed() >= *run.duration))
            break;
        if (stop.waitFor(due - elapsed()))
            break;
        Temperatures t;
        AlertState alert;
        try {
            if (alerts)
                alert = alerts->readStatus();
            t = readTemperatures(s);
        } catch (const std::exception &e) {
            throw Interrupted(Words::tr("Reading the chip failed after %1 had been logged to %2: %3")
                                  .arg(recordsText(written), where, QString::fromUtf8(e.what()))
                                  .toStdString());
        }
        const QDateTime when = io.now();
        try {
            append(logRecord(run.format, when, t.remote, t.local,
                                  withStatus ? std::optional(RecordStatus{alert.status, alert.alert}) : std::nullopt));
        } catch (const LogFileError &e) {
            throw fileFailed(e);
        }
        ++written;
        if (alerts)
            alerts->recorded(alert, when, t.remote, t.local);
        // A record late by more than an interval does not make the next ones
        // hurry to catch up.
        due = std::max(due + run.interval, elapsed() - run.interval);
    }
    return Done;
}

} // namespace ort::cli
