#include "cli/invocation.h"
#include "cli/commandline.h"
#include "cli/values.h"
#include "link/busoptions.h"
#include "link/text.h"
#include "registers/registermap.h"

#include <QCoreApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <vector>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Help)
};


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
    bool isSet(const QCommandLineOption &o) const { return after.isSet(o) || before.isSet(o); }
    QString value(const QCommandLineOption &o) const { return after.isSet(o) ? after.value(o) : before.value(o); }
};

Target readTarget(const Options &options)
{
    Target target;
    if (options.isSet(option::Route)) {
        const QString route = options.value(option::Route);
        if (route == QLatin1String("printer"))
            target.route = Route::PrinterPort;
        else if (route == QLatin1String("smbus"))
            target.route = Route::Smbus;
        else
            refuse(Words::tr("Unknown route \"%1\" (use printer or smbus)").arg(route));
    }
    if (options.isSet(option::Port)) {
        if (target.route == Route::Smbus)
            refuse(Words::tr("--port names a printer port, which the SMBus route does not use"));
        target.route = Route::PrinterPort;
        target.portBase = parsePortBase(options.value(option::Port));
    }
    if (options.isSet(option::Address))
        target.address7 = parseBusAddress(options.value(option::Address));
    return target;
}

void expectArguments(const Verb &verb, const QStringList &positional, int least, int most)
{
    if (positional.size() < least)
        refuse(Words::tr("%1 needs %2 (%3 %1 --help)").arg(QLatin1String(verb.name), QLatin1String(verb.arguments), ToolName));
    if (positional.size() > most)
        refuse(Words::tr("Unexpected argument \"%1\" after %2").arg(positional.at(most), QLatin1String(verb.name)));
}

LogFormat formatOf(const QString &name)
{
    if (name == QLatin1String("tsv"))
        return LogFormat::Tsv;
    if (name == QLatin1String("csv"))
        return LogFormat::Csv;
    if (name == QLatin1String("jsonl"))
        return LogFormat::Jsonl;
    refuse(Words::tr("Unknown log format \"%1\" (use tsv, csv or jsonl)").arg(name));
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
        refuse(Words::tr("--on-alert needs a command"));
    const QString program = words.first().contains(QLatin1Char('/')) ? words.first()
                                                                      : QStandardPaths::findExecutable(words.first());
    const QFileInfo found(program);
    if (program.isEmpty() || !found.isFile() || !found.isExecutable())
        refuse(Words::tr("The command of --on-alert, \"%1\", is not a program that can be run").arg(words.first()));
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
        if (options.after.isSet(option::Watch)) {
            run.watchSeconds = parseSeconds(options.after.value(option::Watch), QStringLiteral("--watch"), 86400);
            if (*run.watchSeconds <= 0)
                refuse(Words::tr("--watch needs an interval above 0 s"));
        }
        if (options.after.isSet(option::OnAlert)) {
            if (!run.watchSeconds)
                refuse(Words::tr("--on-alert needs --watch: one reading has no start or end of an alert"));
            run.onAlert = readOnAlert(options.after.value(option::OnAlert));
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
            refuse(Words::tr("The register %1 (%2) is read-only")
                       .arg(hexWithSuffix(row.readAddress), QString::fromLatin1(row.typeName.data(), row.typeName.size())));
        run.value = parseByteValue(positional[1]);
        break;
    case Command::Limits: {
        expectArguments(verb, positional, 0, 0);
        for (int i = 0; i < LimitCount; ++i) {
            const QCommandLineOption &limit = *option::Limits[static_cast<size_t>(i)];
            if (options.after.isSet(limit))
                run.limits[i] = parseCelsius(options.after.value(limit), QStringLiteral("--") + limit.names().first());
        }
        break;
    }
    case Command::Rate:
        expectArguments(verb, positional, 0, 1);
        if (!positional.isEmpty() && options.after.isSet(option::PerSecond))
            refuse(Words::tr("Give the rate either as a code or with --per-second, not both"));
        if (!positional.isEmpty())
            run.rateCode = parseRateCode(positional[0]);
        else if (options.after.isSet(option::PerSecond))
            run.rateCode = parseConversionsPerSecond(options.after.value(option::PerSecond));
        break;
    case Command::Standby:
        expectArguments(verb, positional, 0, 1);
        if (!positional.isEmpty()) {
            if (positional[0] != QLatin1String("on") && positional[0] != QLatin1String("off"))
                refuse(Words::tr("standby takes on or off, not \"%1\"").arg(positional[0]));
            run.standby = positional[0] == QLatin1String("on");
        }
        break;
    case Command::Log:
        expectArguments(verb, positional, 1, 1);
        if (positional[0].isEmpty())
            refuse(Words::tr("log needs a file name"));
        if (options.isSet(option::Json))
            refuse(Words::tr("log writes its records to the file; for JSON records use --format jsonl"));
        run.logFile = positional[0];
        if (options.after.isSet(option::LogInterval))
            run.interval = parseSeconds(options.after.value(option::LogInterval), QStringLiteral("--interval"), 86400);
        if (options.after.isSet(option::Count) && options.after.isSet(option::Duration))
            refuse(Words::tr("Give --count or --duration, not both"));
        if (options.after.isSet(option::Count))
            run.count = parseCount(options.after.value(option::Count), QStringLiteral("--count"));
        if (options.after.isSet(option::Duration))
            run.duration = parseSeconds(options.after.value(option::Duration), QStringLiteral("--duration"),
                                        400 * 86400.0);
        run.format = options.after.isSet(option::Format) ? formatOf(options.after.value(option::Format))
                                                                  : formatOfFile(run.logFile);
        if (options.after.isSet(option::OnAlert))
            run.onAlert = readOnAlert(options.after.value(option::OnAlert));
        break;
    case Command::Serve:
        expectArguments(verb, positional, 0, 0);
        if (options.isSet(option::Json))
            refuse(Words::tr("serve answers in Prometheus's text format; --json does not apply"));
        run.interval = 1;
        if (options.after.isSet(option::ServeInterval)) {
            run.interval = parseSeconds(options.after.value(option::ServeInterval), QStringLiteral("--interval"), 86400);
            if (run.interval <= 0)
                refuse(Words::tr("--interval needs an interval above 0 s"));
        }
        if (options.after.isSet(option::Listen))
            run.listen = parseListenAddress(options.after.value(option::Listen));
        break;
    }
}

} // namespace

Invocation parseInvocation(const QStringList &arguments, const ComponentOptions &environment)
{
    Invocation run;
    // The options before the command; what follows it is the command's.
    QCommandLineParser before;
    addCommonOptions(before);
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parseOrRefuse(before, arguments);
    QStringList rest = before.positionalArguments();

    if (before.isSet(option::Version)) {
        run.answer = versionText();
        return run;
    }
    if (rest.isEmpty() || rest.first() == QLatin1String("help")) {
        const Verb *about = rest.size() > 1 ? findCommand(rest.at(1)) : nullptr;
        if (rest.isEmpty() && !before.isSet(option::Help))
            refuse(Words::tr("No command given (%1 --help lists them)").arg(ToolName));
        if (rest.size() > 1 && !about)
            refuse(Words::tr("Unknown command \"%1\" (%2 --help lists them)").arg(rest.at(1), ToolName));
        run.answer = about ? commandHelp(*about) : mainHelp();
        return run;
    }
    const Verb *verb = findCommand(rest.first());
    if (!verb)
        refuse(Words::tr("Unknown command \"%1\" (%2 --help lists them)").arg(rest.first(), ToolName));
    if (before.isSet(option::Help)) {
        run.answer = commandHelp(*verb);
        return run;
    }

    QCommandLineParser after;
    addCommonOptions(after);
    addCommandOptions(after, verb->command);
    rest[0] = arguments.value(0, ToolName);
    parseOrRefuse(after, rest);
    if (after.isSet(option::Help)) {
        run.answer = commandHelp(*verb);
        return run;
    }
    if (after.isSet(option::Version)) {
        run.answer = versionText();
        return run;
    }

    const Options options{before, after};
    run.command = verb->command;
    run.component = busOptions(after, busOptions(before, environment));
    run.target = readTarget(options);
    run.json = options.isSet(option::Json);
    readCommand(run, *verb, options, after.positionalArguments());
    return run;
}

} // namespace ort::cli
