#include "cli/commandline.h"
#include "link/busoptions.h"
#include "link/language.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QCommandLineParser>
#include <vector>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Help)
};

// clang-format off
const std::vector<Verb> Commands = {
    {Command::Scan, "scan", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Search for the chip and list every one found."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Searches the printer ports and the SMBus (or what --route, --port and --address leave) for the chip at each "
                       "of its nine addresses and lists every one found, one line each, as the search wizard does. Exits with 1 "
                       "when none is found.")},
    {Command::Info, "info", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Identification, configuration, conversion rate, limits and status, decoded."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Reads the chip's identification, configuration, conversion rate, four limits and status and shows them "
                       "decoded. Reading the status clears the chip's latched flags, as any status read does.")},
    {Command::Temps, "temps", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Local and remote temperature in degrees Celsius."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Reads the local and the remote temperature, in whole degrees Celsius, signed as the chip holds them. With "
                       "--watch, prints a line each interval until Ctrl+C, marked ALERT while the window's alert lamp would be red "
                       "(the status is read before each line, which clears the chip's latched flags).")},
    {Command::Read, "read", "REGISTER|all",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Read a register, or every register of the map."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Reads a register given by address (decimal 2, hexadecimal 0x02 or 2h) or by name (status, configuration, "
                       "conversion-rate, local-temp-high-limit, ...), or all twelve registers of the register map. A write address "
                       "reads the register it writes.")},
    {Command::Write, "write", "REGISTER VALUE",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Write a value, 0 to 255, to a writable register."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Writes VALUE (decimal 26, hexadecimal 0x1A or 1Ah, 0 to 255) to a register given by address or name; a "
                       "register read at one address and written at another is written at its write address. Read-only registers "
                       "are refused.")},
    {Command::Limits, "limits", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Show the four temperature limits, or set any of them."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Shows the local and remote high and low limits in degrees Celsius, after setting those given. A setting "
                       "that would leave a high limit below its low limit is refused.")},
    {Command::Rate, "rate", "[CODE]",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Show the conversion rate, or set it by code or per second."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Shows the conversion rate, after setting it to CODE (0 to 7, 0.0625 to 8 conversions per second) or to "
                       "the rate given with --per-second.")},
    {Command::Standby, "standby", "[on|off]",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Show standby, or switch it on or off."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Shows whether the chip is in standby (no automatic conversions), after switching it on or off.")},
    {Command::OneShot, "one-shot", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Start one conversion and show its temperatures."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Starts one conversion (in standby; a converting chip goes on by itself), waits for it and shows both "
                       "temperatures.")},
    {Command::ClearAlert, "clear-alert", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Read the SMBus alert response address to release ALERT."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Reads the SMBus alert response address on the route in use, which releases the chip's ALERT output, and "
                       "says which device answered, if any.")},
    {Command::Log, "log", "FILE",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Log both temperatures to a file until a count, a time or Ctrl+C."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Appends timed records of the remote and the local temperature to FILE. tsv writes the window program's "
                       "own log lines (header, or a restart marker below an old log, then records), so either program can "
                       "continue a file; csv and jsonl write an ISO 8601 date and time, the status byte and whether the chip is in "
                       "alert as the window's alert lamp shows it (csv: status,alert columns; jsonl: status, flags and alert). The "
                       "format defaults to the file's extension (.csv, .jsonl), else tsv. Ctrl+C or SIGTERM ends the log after a "
                       "whole record; a failing file or bus ends it with a message and status 1, every record before kept. "
                       "The FILE - writes the records to standard output.")},
    {Command::Doctor, "doctor", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "What this machine offers the Linux component, and what to do."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Shows what the Linux component sees: printer ports, SMBus adapters with their names and byte-data "
                       "support, permissions and the group that grants them, whether the i2c-dev module is loaded, and what to "
                       "do. Exits with 1 when neither a printer port nor an SMBus adapter can be used.")},
    {Command::Serve, "serve", "",
     QT_TRANSLATE_NOOP("ort::cli::Help", "Serve every chip's readings to Prometheus over HTTP, read-only."),
     QT_TRANSLATE_NOOP("ort::cli::Help",
                       "Searches for the chip (or takes what --route, --port and --address leave), then reads every chip found "
                       "at each --interval from one thread that owns the bus, and answers HTTP GET /metrics in Prometheus's text "
                       "format from the last readings: a scrape never touches the bus, and nothing is ever written to the chip. "
                       "Listens on 127.0.0.1:9310 (this machine only) unless --listen names another address. A chip that stops "
                       "answering is served as ort310_chip_up 0 until it answers again. Ctrl+C or SIGTERM ends it; a port in use "
                       "ends it with status 1.")},
};
// clang-format on

QString wrapped(const QString &text, int indent, int width = 79)
{
    QString out;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
            out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
    return out;
}

// Qt's own layout of the options, under the tool's name.
QString optionsText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    // The usage line, a blank line, then "Options:" in Qt's words for the
    // user's language (the parsers here have no description).
    const qsizetype options = text.indexOf(QStringLiteral("\n\n"));
    return options < 0 ? QString() : text.mid(options + 2);
}

// An option with its description in the user's language.
QCommandLineOption spoken(const QCommandLineOption &option)
{
    QCommandLineOption said = option;
    said.setDescription(Words::tr(option.description().toUtf8().constData()));
    return said;
}

void addSpoken(QCommandLineParser &parser, std::initializer_list<QCommandLineOption> options)
{
    for (const QCommandLineOption &option : options)
        parser.addOption(spoken(option));
}

} // namespace

const Verb *findCommand(const QString &name)
{
    for (const Verb &verb : Commands)
        if (name == QLatin1String(verb.name))
            return &verb;
    return nullptr;
}

void addCommonOptions(QCommandLineParser &parser)
{
    addSpoken(parser, {option::Help, option::Version});
    addBusOptions(parser);
    addSpoken(parser, {option::Route, option::Port, option::Address, option::Json});
    parser.addOption(languageOption());
}

void addCommandOptions(QCommandLineParser &parser, Command command)
{
    switch (command) {
    case Command::Temps:
        addSpoken(parser, {option::Watch, option::OnAlert});
        break;
    case Command::Limits:
        for (const QCommandLineOption *limit : option::Limits)
            parser.addOption(spoken(*limit));
        break;
    case Command::Rate:
        parser.addOption(spoken(option::PerSecond));
        break;
    case Command::Log:
        addSpoken(parser, {option::LogInterval, option::Count, option::Duration, option::Format, option::OnAlert});
        break;
    case Command::Serve:
        addSpoken(parser, {option::Listen, option::ServeInterval});
        break;
    default:
        break;
    }
}

QString mainHelp()
{
    QCommandLineParser parser;
    addCommonOptions(parser);
    QString text = Words::tr("Usage: %1 [options] command [arguments]\n\n").arg(ToolName);
    text += wrapped(Words::tr("Talks to the %1 temperature-monitor chip on a printer-port evaluation board or on an "
                              "SMBus adapter, through the same bus access component as the window program "
                              "%2eval, without a display: for scripts, test benches and logging over SSH. "
                              "Exit status: 0 done, 1 a bus or file failure (or no chip found), 2 a usage error; "
                              "messages go to standard error.")
                        .arg(ChipName, ToolName),
                    0);
    text += Words::tr("\nCommands:\n");
    for (const Verb &verb : Commands) {
        const QString head = QStringLiteral("%1 %2").arg(QLatin1String(verb.name), QLatin1String(verb.arguments)).trimmed();
        // The summary beside the command, as the options stand beside theirs.
        text += QStringLiteral("  ") + head.leftJustified(22) + wrapped(Words::tr(verb.summary), 24).mid(24);
    }
    text += QLatin1Char('\n') + optionsText(parser);
    // Each command's own options too, so that the manual page has them all.
    for (const Verb &verb : Commands) {
        QCommandLineParser own;
        addCommandOptions(own, verb.command);
        const QString options = optionsText(own);
        if (!options.isEmpty())
            text += Words::tr("\nOptions of %1:").arg(QLatin1String(verb.name)) + options.mid(options.indexOf(QLatin1Char('\n')));
    }
    text += Words::tr("\nEach command's help: %1 COMMAND --help.\n").arg(ToolName);
    text += Words::tr("\nEnvironment:\n");
    text += wrapped(Words::tr("ORT310_BUS, ORT310_I2C and ORT310_WIRE_TRACE stand for --bus, --i2c and "
                              "--wire-trace when those are not given."),
                    2);
    return text;
}

QString commandHelp(const Verb &verb)
{
    QCommandLineParser parser;
    addCommandOptions(parser, verb.command);
    QString text = Words::tr("Usage: %1 [options] %2 %3").arg(ToolName, QLatin1String(verb.name), QLatin1String(verb.arguments)).trimmed() +
                   QStringLiteral("\n\n");
    text += wrapped(Words::tr(verb.details), 0);
    const QString own = optionsText(parser);
    if (!own.isEmpty())
        text += QLatin1Char('\n') + own;
    text += Words::tr("\nThe options of every command (--bus, --route, --address, --json, ...): %1 --help.\n").arg(ToolName);
    return text;
}

QString versionText()
{
    return QStringLiteral("%1 (%2) %3\n").arg(ToolName, ProductName, ProgramVersion);
}


QString commandName(Command command)
{
    for (const Verb &verb : Commands)
        if (verb.command == command)
            return QLatin1String(verb.name);
    return {};
}

} // namespace ort::cli
