#include "cli/invocation.h"
#include "cli/values.h"
#include "link/busoptions.h"
#include "link/text.h"
#include "registers/registermap.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <vector>

namespace ort::cli {

namespace {

const QString Tool = QStringLiteral("ort310");

struct Verb {
    Command command;
    const char *name;
    const char *arguments;   // as the usage line shows them
    const char *summary;     // one line, for the list of commands
    const char *details;     // the command's own help
};

// clang-format off
const std::vector<Verb> Commands = {
    {Command::Scan, "scan", "",
     "Search for the chip and list every one found.",
     "Searches the printer ports and the SMBus (or what --route, --port and --address leave) for the chip at each "
     "of its nine addresses and lists every one found, one line each, as the search wizard does. Exits with 1 "
     "when none is found."},
    {Command::Info, "info", "",
     "Identification, configuration, conversion rate, limits and status, decoded.",
     "Reads the chip's identification, configuration, conversion rate, four limits and status and shows them "
     "decoded. Reading the status clears the chip's latched flags, as any status read does."},
    {Command::Temps, "temps", "",
     "Local and remote temperature in degrees Celsius.",
     "Reads the local and the remote temperature, in whole degrees Celsius, signed as the chip holds them. With "
     "--watch, prints a line each interval until Ctrl+C, marked ALERT while the window's alert lamp would be red "
     "(the status is read before each line, which clears the chip's latched flags)."},
    {Command::Read, "read", "REGISTER|all",
     "Read a register, or every register of the map.",
     "Reads a register given by address (decimal 2, hexadecimal 0x02 or 2h) or by name (status, configuration, "
     "conversion-rate, local-temp-high-limit, ...), or all twelve registers of the register map. A write address "
     "reads the register it writes."},
    {Command::Write, "write", "REGISTER VALUE",
     "Write a value, 0 to 255, to a writable register.",
     "Writes VALUE (decimal 26, hexadecimal 0x1A or 1Ah, 0 to 255) to a register given by address or name; a "
     "register read at one address and written at another is written at its write address. Read-only registers "
     "are refused."},
    {Command::Limits, "limits", "",
     "Show the four temperature limits, or set any of them.",
     "Shows the local and remote high and low limits in degrees Celsius, after setting those given. A setting "
     "that would leave a high limit below its low limit is refused."},
    {Command::Rate, "rate", "[CODE]",
     "Show the conversion rate, or set it by code or per second.",
     "Shows the conversion rate, after setting it to CODE (0 to 7, 0.0625 to 8 conversions per second) or to "
     "the rate given with --per-second."},
    {Command::Standby, "standby", "[on|off]",
     "Show standby, or switch it on or off.",
     "Shows whether the chip is in standby (no automatic conversions), after switching it on or off."},
    {Command::OneShot, "one-shot", "",
     "Start one conversion and show its temperatures.",
     "Starts one conversion (in standby; a converting chip goes on by itself), waits for it and shows both "
     "temperatures."},
    {Command::ClearAlert, "clear-alert", "",
     "Read the SMBus alert response address to release ALERT.",
     "Reads the SMBus alert response address on the route in use, which releases the chip's ALERT output, and "
     "says which device answered, if any."},
    {Command::Log, "log", "FILE",
     "Log both temperatures to a file until a count, a time or Ctrl+C.",
     "Appends timed records of the remote and the local temperature to FILE. tsv writes the window program's "
     "own log lines (header, or a restart marker below an old log, then records), so either program can "
     "continue a file; csv and jsonl write an ISO 8601 date and time, the status byte and whether the chip is in "
     "alert as the window's alert lamp shows it (csv: status,alert columns; jsonl: status, flags and alert). The "
     "format defaults to the file's extension (.csv, .jsonl), else tsv. Ctrl+C or SIGTERM ends the log after a "
     "whole record; a failing file or bus ends it with a message and status 1, every record before kept."},
    {Command::Doctor, "doctor", "",
     "What this machine offers the Linux component, and what to do.",
     "Shows what the Linux component sees: printer ports, SMBus adapters with their names and byte-data "
     "support, permissions and the group that grants them, whether the i2c-dev module is loaded, and what to "
     "do. Exits with 1 when neither a printer port nor an SMBus adapter can be used."},
    {Command::Serve, "serve", "",
     "Serve every chip's readings to Prometheus over HTTP, read-only.",
     "Searches for the chip (or takes what --route, --port and --address leave), then reads every chip found "
     "at each --interval from one thread that owns the bus, and answers HTTP GET /metrics in Prometheus's text "
     "format from the last readings: a scrape never touches the bus, and nothing is ever written to the chip. "
     "Listens on 127.0.0.1:9310 (this machine only) unless --listen names another address. A chip that stops "
     "answering is served as ort310_chip_up 0 until it answers again. Ctrl+C or SIGTERM ends it; a port in use "
     "ends it with status 1."},
};
// clang-format on

const Verb *findCommand(const QString &name)
{
    for (const Verb &verb : Commands)
        if (name == QLatin1String(verb.name))
            return &verb;
    return nullptr;
}

// The options every command takes.
void addCommonOptions(QCommandLineParser &parser)
{
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and stop.")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("Show the version and stop.")});
    addBusOptions(parser);
    parser.addOption({QStringLiteral("route"),
                      QStringLiteral("Talk to the chip on this medium only: printer (the printer-port board) or smbus "
                                     "(default: search both, printer ports first; the first chip found is used)."),
                      QStringLiteral("printer|smbus")});
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("The printer port at this I/O base, in hexadecimal (378); implies --route printer."),
                      QStringLiteral("base")});
    parser.addOption({QStringLiteral("address"),
                      QStringLiteral("The chip's 7-bit address in hexadecimal (4C); only it is probed."),
                      QStringLiteral("address")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("Print the result as JSON, for scripts.")});
}

void addOnAlertOption(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("on-alert"),
                      QStringLiteral("Run this command at each start and at each end of an alert, without a "
                                     "shell (an argument with spaces goes in double quotes). Its environment holds "
                                     "ORT310_ALERT (start or end), ORT310_TIME, ORT310_REMOTE, ORT310_LOCAL, "
                                     "ORT310_STATUS, ORT310_FLAGS and ORT310_CHIP."),
                      QStringLiteral("command")});
}

void addCommandOptions(QCommandLineParser &parser, Command command)
{
    switch (command) {
    case Command::Temps:
        parser.addOption({QStringLiteral("watch"), QStringLiteral("Print a line every this many seconds until Ctrl+C."),
                          QStringLiteral("seconds")});
        addOnAlertOption(parser);
        break;
    case Command::Limits:
        parser.addOption({QStringLiteral("local-high"), QStringLiteral("Set the local high limit."), QStringLiteral("C")});
        parser.addOption({QStringLiteral("local-low"), QStringLiteral("Set the local low limit."), QStringLiteral("C")});
        parser.addOption({QStringLiteral("remote-high"), QStringLiteral("Set the remote high limit."), QStringLiteral("C")});
        parser.addOption({QStringLiteral("remote-low"), QStringLiteral("Set the remote low limit."), QStringLiteral("C")});
        break;
    case Command::Rate:
        parser.addOption({QStringLiteral("per-second"),
                          QStringLiteral("Set the rate in conversions per second: 0.0625 (or 1/16), 0.125, 0.25, 0.5, "
                                         "1, 2, 4 or 8."),
                          QStringLiteral("rate")});
        break;
    case Command::Log:
        parser.addOption({QStringLiteral("interval"),
                          QStringLiteral("Seconds from one record to the next (default 5; 0 = as fast as the bus "
                                         "allows)."),
                          QStringLiteral("seconds")});
        parser.addOption({QStringLiteral("count"), QStringLiteral("Stop after this many records."), QStringLiteral("n")});
        parser.addOption({QStringLiteral("duration"), QStringLiteral("Stop after this many seconds."),
                          QStringLiteral("seconds")});
        parser.addOption({QStringLiteral("format"),
                          QStringLiteral("tsv (the window program's log), csv or jsonl."),
                          QStringLiteral("tsv|csv|jsonl")});
        addOnAlertOption(parser);
        break;
    case Command::Serve:
        parser.addOption({QStringLiteral("listen"),
                          QStringLiteral("Answer scrapes at this address and port (default 127.0.0.1:9310, this "
                                         "machine only; [::1]:9310 for IPv6; port 0 takes a free one)."),
                          QStringLiteral("address:port")});
        parser.addOption({QStringLiteral("interval"), QStringLiteral("Seconds from one reading of the chips to the next (default 1)."),
                          QStringLiteral("seconds")});
        break;
    default:
        break;
    }
}

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
    const qsizetype options = text.indexOf(QLatin1String("Options:"));
    return options < 0 ? QString() : text.mid(options);
}

QString mainHelp()
{
    QCommandLineParser parser;
    addCommonOptions(parser);
    QString text = QStringLiteral("Usage: %1 [options] command [arguments]\n\n").arg(Tool);
    text += wrapped(QStringLiteral("Talks to the %1 temperature-monitor chip on a printer-port evaluation board or on an "
                                   "SMBus adapter, through the same bus access component as the window program "
                                   "%2eval, without a display: for scripts, test benches and logging over SSH. "
                                   "Exit status: 0 done, 1 a bus or file failure (or no chip found), 2 a usage error; "
                                   "messages go to standard error.")
                        .arg(ChipName, Tool),
                    0);
    text += QStringLiteral("\nCommands:\n");
    for (const Verb &verb : Commands) {
        const QString head = QStringLiteral("%1 %2").arg(QLatin1String(verb.name), QLatin1String(verb.arguments)).trimmed();
        // The summary beside the command, as the options stand beside theirs.
        text += QStringLiteral("  ") + head.leftJustified(22) + wrapped(QLatin1String(verb.summary), 24).mid(24);
    }
    text += QLatin1Char('\n') + optionsText(parser);
    // Each command's own options too, so that the manual page has them all.
    for (const Verb &verb : Commands) {
        QCommandLineParser own;
        addCommandOptions(own, verb.command);
        const QString options = optionsText(own);
        if (!options.isEmpty())
            text += QStringLiteral("\nOptions of %1:").arg(QLatin1String(verb.name)) + options.mid(options.indexOf(QLatin1Char('\n')));
    }
    text += QStringLiteral("\nEach command's help: %1 COMMAND --help.\n").arg(Tool);
    text += QStringLiteral("\nEnvironment:\n");
    text += wrapped(QStringLiteral("ORT310_BUS, ORT310_I2C and ORT310_WIRE_TRACE stand for --bus, --i2c and "
                                   "--wire-trace when those are not given."),
                    2);
    return text;
}

QString commandHelp(const Verb &verb)
{
    QCommandLineParser parser;
    addCommandOptions(parser, verb.command);
    QString text = QStringLiteral("Usage: %1 [options] %2 %3").arg(Tool, QLatin1String(verb.name), QLatin1String(verb.arguments)).trimmed() +
                   QStringLiteral("\n\n");
    text += wrapped(QLatin1String(verb.details), 0);
    const QString own = optionsText(parser);
    if (!own.isEmpty())
        text += QLatin1Char('\n') + own;
    text += QStringLiteral("\nThe options of every command (--bus, --route, --address, --json, ...): %1 --help.\n").arg(Tool);
    return text;
}

QString versionText()
{
    return QStringLiteral("%1 (%2) %3\n").arg(Tool, ProductName, ProgramVersion);
}

[[noreturn]] void refuse(const QString &text)
{
    throw UsageError(text.toStdString());
}

// A parse that fails says so in Qt's words; a value that is not given is
// refused by the caller.
void parseOrRefuse(QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.parse(arguments))
        refuse(parser.errorText());
}

// An option given before the command or after it; after wins.
struct Options {
    const QCommandLineParser &before;
    const QCommandLineParser &after;
    bool isSet(const QString &name) const { return after.isSet(name) || before.isSet(name); }
    QString value(const QString &name) const { return after.isSet(name) ? after.value(name) : before.value(name); }
};

Target readTarget(const Options &options)
{
    Target target;
    if (options.isSet(QStringLiteral("route"))) {
        const QString route = options.value(QStringLiteral("route"));
        if (route == QLatin1String("printer"))
            target.route = Route::PrinterPort;
        else if (route == QLatin1String("smbus"))
            target.route = Route::Smbus;
        else
            refuse(QStringLiteral("Unknown route \"%1\" (use printer or smbus)").arg(route));
    }
    if (options.isSet(QStringLiteral("port"))) {
        if (target.route == Route::Smbus)
            refuse(QStringLiteral("--port names a printer port, which the SMBus route does not use"));
        target.route = Route::PrinterPort;
        target.portBase = parsePortBase(options.value(QStringLiteral("port")));
    }
    if (options.isSet(QStringLiteral("address")))
        target.address7 = parseBusAddress(options.value(QStringLiteral("address")));
    return target;
}

void expectArguments(const Verb &verb, const QStringList &positional, int least, int most)
{
    if (positional.size() < least)
        refuse(QStringLiteral("%1 needs %2 (%3 %1 --help)").arg(QLatin1String(verb.name), QLatin1String(verb.arguments), Tool));
    if (positional.size() > most)
        refuse(QStringLiteral("Unexpected argument \"%1\" after %2").arg(positional.at(most), QLatin1String(verb.name)));
}

LogFormat formatOf(const QString &name)
{
    if (name == QLatin1String("tsv"))
        return LogFormat::Tsv;
    if (name == QLatin1String("csv"))
        return LogFormat::Csv;
    if (name == QLatin1String("jsonl"))
        return LogFormat::Jsonl;
    refuse(QStringLiteral("Unknown log format \"%1\" (use tsv, csv or jsonl)").arg(name));
}

LogFormat formatOfFile(const QString &file)
{
    if (file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return LogFormat::Csv;
    if (file.endsWith(QLatin1String(".jsonl"), Qt::CaseInsensitive) || file.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return LogFormat::Jsonl;
    return LogFormat::Tsv;
}

// The program and its arguments, split as Qt splits a command (double
// quotes only); the program must be there now, not only at the first alert.
QStringList readOnAlert(const QString &command)
{
    const QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        refuse(QStringLiteral("--on-alert needs a command"));
    const QString program = words.first().contains(QLatin1Char('/')) ? words.first()
                                                                      : QStandardPaths::findExecutable(words.first());
    const QFileInfo found(program);
    if (program.isEmpty() || !found.isFile() || !found.isExecutable())
        refuse(QStringLiteral("The command of --on-alert, \"%1\", is not a program that can be run").arg(words.first()));
    return words;
}

void readCommand(Invocation &run, const Verb &verb, const Options &options, const QStringList &positional)
{
    switch (verb.command) {
    case Command::Scan:
    case Command::Info:
    case Command::OneShot:
    case Command::ClearAlert:
    case Command::Doctor:
        expectArguments(verb, positional, 0, 0);
        break;
    case Command::Temps:
        expectArguments(verb, positional, 0, 0);
        if (options.after.isSet(QStringLiteral("watch"))) {
            run.watchSeconds = parseSeconds(options.after.value(QStringLiteral("watch")), QStringLiteral("--watch"), 86400);
            if (*run.watchSeconds <= 0)
                refuse(QStringLiteral("--watch needs an interval above 0 s"));
        }
        if (options.after.isSet(QStringLiteral("on-alert"))) {
            if (!run.watchSeconds)
                refuse(QStringLiteral("--on-alert needs --watch: one reading has no start or end of an alert"));
            run.onAlert = readOnAlert(options.after.value(QStringLiteral("on-alert")));
        }
        break;
    case Command::Read:
        expectArguments(verb, positional, 1, 1);
        if (positional[0] == QLatin1String("all"))
            run.allRegisters = true;
        else
            run.registerAddress = parseRegister(positional[0]);
        break;
    case Command::Write:
        expectArguments(verb, positional, 2, 2);
        run.registerAddress = parseRegister(positional[0]);
        if (const RegisterRow &row = RegisterTable[registerRowOf(run.registerAddress)]; !row.writable)
            refuse(QStringLiteral("The register %1 (%2) is read-only")
                       .arg(hexWithSuffix(row.readAddress), QString::fromLatin1(row.typeName.data(), row.typeName.size())));
        run.value = parseByteValue(positional[1]);
        break;
    case Command::Limits: {
        expectArguments(verb, positional, 0, 0);
        const char *names[LimitCount] = {"local-high", "local-low", "remote-high", "remote-low"};
        for (int i = 0; i < LimitCount; ++i) {
            const QString name = QLatin1String(names[i]);
            if (options.after.isSet(name))
                run.limits[i] = parseCelsius(options.after.value(name), QStringLiteral("--") + name);
        }
        break;
    }
    case Command::Rate:
        expectArguments(verb, positional, 0, 1);
        if (!positional.isEmpty() && options.after.isSet(QStringLiteral("per-second")))
            refuse(QStringLiteral("Give the rate either as a code or with --per-second, not both"));
        if (!positional.isEmpty())
            run.rateCode = parseRateCode(positional[0]);
        else if (options.after.isSet(QStringLiteral("per-second")))
            run.rateCode = parseConversionsPerSecond(options.after.value(QStringLiteral("per-second")));
        break;
    case Command::Standby:
        expectArguments(verb, positional, 0, 1);
        if (!positional.isEmpty()) {
            if (positional[0] != QLatin1String("on") && positional[0] != QLatin1String("off"))
                refuse(QStringLiteral("standby takes on or off, not \"%1\"").arg(positional[0]));
            run.standby = positional[0] == QLatin1String("on");
        }
        break;
    case Command::Log:
        expectArguments(verb, positional, 1, 1);
        if (positional[0].isEmpty())
            refuse(QStringLiteral("log needs a file name"));
        if (options.isSet(QStringLiteral("json")))
            refuse(QStringLiteral("log writes its records to the file; for JSON records use --format jsonl"));
        run.logFile = positional[0];
        if (options.after.isSet(QStringLiteral("interval")))
            run.interval = parseSeconds(options.after.value(QStringLiteral("interval")), QStringLiteral("--interval"), 86400);
        if (options.after.isSet(QStringLiteral("count")) && options.after.isSet(QStringLiteral("duration")))
            refuse(QStringLiteral("Give --count or --duration, not both"));
        if (options.after.isSet(QStringLiteral("count")))
            run.count = parseCount(options.after.value(QStringLiteral("count")), QStringLiteral("--count"));
        if (options.after.isSet(QStringLiteral("duration")))
            run.duration = parseSeconds(options.after.value(QStringLiteral("duration")), QStringLiteral("--duration"),
                                        400 * 86400.0);
        run.format = options.after.isSet(QStringLiteral("format")) ? formatOf(options.after.value(QStringLiteral("format")))
                                                                  : formatOfFile(run.logFile);
        if (options.after.isSet(QStringLiteral("on-alert")))
            run.onAlert = readOnAlert(options.after.value(QStringLiteral("on-alert")));
        break;
    case Command::Serve:
        expectArguments(verb, positional, 0, 0);
        if (options.isSet(QStringLiteral("json")))
            refuse(QStringLiteral("serve answers in Prometheus's text format; --json does not apply"));
        run.interval = 1;
        if (options.after.isSet(QStringLiteral("interval"))) {
            run.interval = parseSeconds(options.after.value(QStringLiteral("interval")), QStringLiteral("--interval"), 86400);
            if (run.interval <= 0)
                refuse(QStringLiteral("--interval needs an interval above 0 s"));
        }
        if (options.after.isSet(QStringLiteral("listen")))
            run.listen = parseListenAddress(options.after.value(QStringLiteral("listen")));
        break;
    }
}

} // namespace

QString commandName(Command command)
{
    for (const Verb &verb : Commands)
        if (verb.command == command)
            return QLatin1String(verb.name);
    return {};
}

Invocation parseInvocation(const QStringList &arguments, const ComponentOptions &environment)
{
    Invocation run;
    // The options before the command; what follows it is the command's.
    QCommandLineParser before;
    addCommonOptions(before);
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parseOrRefuse(before, arguments);
    QStringList rest = before.positionalArguments();

    if (before.isSet(QStringLiteral("version"))) {
        run.answer = versionText();
        return run;
    }
    if (rest.isEmpty() || rest.first() == QLatin1String("help")) {
        const Verb *about = rest.size() > 1 ? findCommand(rest.at(1)) : nullptr;
        if (rest.isEmpty() && !before.isSet(QStringLiteral("help")))
            refuse(QStringLiteral("No command given (%1 --help lists them)").arg(Tool));
        if (rest.size() > 1 && !about)
            refuse(QStringLiteral("Unknown command \"%1\" (%2 --help lists them)").arg(rest.at(1), Tool));
        run.answer = about ? commandHelp(*about) : mainHelp();
        return run;
    }
    const Verb *verb = findCommand(rest.first());
    if (!verb)
        refuse(QStringLiteral("Unknown command \"%1\" (%2 --help lists them)").arg(rest.first(), Tool));
    if (before.isSet(QStringLiteral("help"))) {
        run.answer = commandHelp(*verb);
        return run;
    }

    QCommandLineParser after;
    addCommonOptions(after);
    addCommandOptions(after, verb->command);
    rest[0] = arguments.value(0, Tool);
    parseOrRefuse(after, rest);
    if (after.isSet(QStringLiteral("help"))) {
        run.answer = commandHelp(*verb);
        return run;
    }
    if (after.isSet(QStringLiteral("version"))) {
        run.answer = versionText();
        return run;
    }

    const Options options{before, after};
    run.command = verb->command;
    run.component = busOptions(after, busOptions(before, environment));
    run.target = readTarget(options);
    run.json = options.isSet(QStringLiteral("json"));
    readCommand(run, *verb, options, after.positionalArguments());
    return run;
}

} // namespace ort::cli
