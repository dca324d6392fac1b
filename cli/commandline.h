#pragma once
#include "cli/invocation.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QString>
#include <array>

class QCommandLineParser;

// The tool's command line as it is written: its commands, its options as
// constants (a misspelt option does not build) and the help made of both.

namespace ort::cli {

inline const QString ToolName = QStringLiteral("ort310");

struct Verb {
    Command command;
    const char *name;
    const char *arguments;   // as the usage line shows them
    const char *summary;     // one line, for the list of commands
    const char *details;     // the command's own help
};

// The command of that name, or null.
const Verb *findCommand(const QString &name);

// The options every command takes, and those of one command only.
void addCommonOptions(QCommandLineParser &parser);
void addCommandOptions(QCommandLineParser &parser, Command command);

QString mainHelp();
QString commandHelp(const Verb &verb);
QString versionText();

namespace option {

inline const QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Show this help and stop."))};
inline const QCommandLineOption Version{QStringLiteral("version"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Show the version and stop."))};
inline const QCommandLineOption Route{
    QStringLiteral("route"),
    QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Talk to the chip on this medium only: printer (the printer-port board) or smbus "
                   "(default: search both, printer ports first; the first chip found is used).")),
    QStringLiteral("printer|smbus")};
inline const QCommandLineOption Port{
    QStringLiteral("port"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "The printer port at this I/O base, in hexadecimal (378); implies --route printer.")),
    QStringLiteral("base")};
inline const QCommandLineOption Address{QStringLiteral("address"),
                                        QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "The chip's 7-bit address in hexadecimal (4C); only it is probed.")),
                                        QStringLiteral("address")};
inline const QCommandLineOption Json{QStringLiteral("json"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Print the result as JSON, for scripts."))};

inline const QCommandLineOption Watch{QStringLiteral("watch"),
                                      QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Print a line every this many seconds until Ctrl+C.")),
                                      QStringLiteral("seconds")};
inline const QCommandLineOption OnAlert{
    QStringLiteral("on-alert"),
    QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Run this command at each start and at each end of an alert, without a "
                   "shell (an argument with spaces goes in double quotes). Its environment holds "
                   "ORT310_ALERT (start or end), ORT310_TIME, ORT310_REMOTE, ORT310_LOCAL, "
                   "ORT310_STATUS, ORT310_FLAGS and ORT310_CHIP.")),
    QStringLiteral("command")};

inline const QCommandLineOption LocalHigh{QStringLiteral("local-high"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Set the local high limit.")),
                                          QStringLiteral("C")};
inline const QCommandLineOption LocalLow{QStringLiteral("local-low"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Set the local low limit.")),
                                         QStringLiteral("C")};
inline const QCommandLineOption RemoteHigh{QStringLiteral("remote-high"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Set the remote high limit.")),
                                           QStringLiteral("C")};
inline const QCommandLineOption RemoteLow{QStringLiteral("remote-low"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Set the remote low limit.")),
                                          QStringLiteral("C")};
// In the order the chip numbers the limits (Limit).
inline const std::array<const QCommandLineOption *, LimitCount> Limits = {&LocalHigh, &LocalLow, &RemoteHigh, &RemoteLow};

inline const QCommandLineOption PerSecond{
    QStringLiteral("per-second"),
    QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Set the rate in conversions per second: 0.0625 (or 1/16), 0.125, 0.25, 0.5, 1, 2, 4 or 8.")),
    QStringLiteral("rate")};

inline const QCommandLineOption LogInterval{
    QStringLiteral("interval"),
    QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Seconds from one record to the next (default 5; 0 = as fast as the bus allows).")),
    QStringLiteral("seconds")};
inline const QCommandLineOption Count{QStringLiteral("count"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Stop after this many records.")),
                                      QStringLiteral("n")};
inline const QCommandLineOption Duration{QStringLiteral("duration"), QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Stop after this many seconds.")),
                                         QStringLiteral("seconds")};
inline const QCommandLineOption Format{QStringLiteral("format"),
                                       QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "tsv (the window program's log), csv or jsonl.")),
                                       QStringLiteral("tsv|csv|jsonl")};

inline const QCommandLineOption Listen{
    QStringLiteral("listen"),
    QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Answer scrapes at this address and port (default 127.0.0.1:9310, this machine only; [::1]:9310 "
                   "for IPv6; port 0 takes a free one).")),
    QStringLiteral("address:port")};
inline const QCommandLineOption ServeInterval{QStringLiteral("interval"),
                                              QStringLiteral(QT_TRANSLATE_NOOP("ort::cli::Help", "Seconds from one reading of the chips to the next (default 1).")),
                                              QStringLiteral("seconds")};

} // namespace option

} // namespace ort::cli
