#include "cli/tool.h"
#include "cli/alerts.h"
#include "cli/doctor.h"
#include "cli/invocation.h"
#include "cli/logformat.h"
#include "cli/logloop.h"
#include "cli/output.h"
#include "cli/serve.h"
#include "cli/session.h"
#include "cli/stopsignals.h"
#include "cli/values.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "link/boardfile.h"
#include "link/busoptions.h"
#include "link/chip.h"
#include "link/language.h"
#include "link/runtimeerror.h"
#include "link/text.h"
#include "monitor/temperature.h"
#include "registers/registermap.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <thread>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Tool)
};


using namespace chip;

// The pause between the clear-alert command's bus steps on the printer port.
constexpr auto AlertStepPause = std::chrono::milliseconds(10);
// Long enough for one conversion of the chip (1/16 s) to end.
constexpr auto OneShotWait = std::chrono::milliseconds(125);

int scan(BusAccessServer &bus, const Invocation &run, const Output &out)
{
    const std::vector<ResultEntry> found = searchChips(bus, run.target);
    QJsonArray list;
    for (const ResultEntry &f : found) {
        const QString text = shownText(f.text);
        if (!out.json()) {
            out.line(text);
            continue;
        }
        QJsonObject entry{{QStringLiteral("route"), routeName(f.chip.route)},
                          {QStringLiteral("address"), f.chip.address7},
                          {QStringLiteral("text"), text}};
        if (f.chip.onPrinterPort()) {
            bus.PrinterPort().SelectPort(f.printer.port);
            entry[QStringLiteral("port")] = bus.PrinterPort().PortAddress();
            entry[QStringLiteral("link_variant")] = f.printer.linkVariant;
        }
        list.append(entry);
    }
    if (out.json())
        out.value(list);
    if (!found.empty())
        return Done;
    throw NoChipFound(noChipText(bus, run.target, NoChipWords::Search));
}

int info(Session &s, const Output &out)
{
    const uint8_t id = s.read(ManufacturerIdRegister);
    const uint8_t revision = s.read(DieRevision);
    const uint8_t config = s.read(ConfigurationRead);
    const uint8_t rate = s.read(ConversionRateRead);
    int limits[LimitCount];
    for (int i = 0; i < LimitCount; ++i)
        limits[i] = decodeTemperature(s.read(static_cast<uint8_t>(LocalHighLimitRead + i)));
    const uint8_t status = s.read(Status);
    const bool masked = config & ConfigAlertMasked;
    const bool standby = config & ConfigStandby;
    const QStringList flags = namedBits(Status, status);

    if (out.json()) {
        out.value(QJsonObject{
            {QStringLiteral("chip"), chipJson(s)},
            {QStringLiteral("manufacturer_id"), id},
            {QStringLiteral("die_revision"), revision},
            {QStringLiteral("configuration"), config},
            {QStringLiteral("alert_masked"), masked},
            {QStringLiteral("standby"), standby},
            {QStringLiteral("rate_code"), rate},
            {QStringLiteral("conversions_per_second"), conversionsPerSecond(rate)},
            {QStringLiteral("local_high"), limits[LocalHigh]},
            {QStringLiteral("local_low"), limits[LocalLow]},
            {QStringLiteral("remote_high"), limits[RemoteHigh]},
            {QStringLiteral("remote_low"), limits[RemoteLow]},
            {QStringLiteral("status"), status},
            {QStringLiteral("status_flags"), QJsonArray::fromStringList(flags)}});
        return Done;
    }
    // A space after the longest label of any language.
    const auto row = [&](const QString &label, const QString &text) {
        out.line(label.leftJustified(17) + QLatin1Char(' ') + text);
    };
    QString chip = s.description();
    chip[0] = chip[0].toUpper();
    out.line(chip);
    row(Words::tr("Manufacturer ID:"),
        hexWithSuffix(id) + (id == ManufacturerId ? QString() : Words::tr(" (not the chip's)")));
    row(Words::tr("Die revision:"), hexWithSuffix(revision));
    const QString alertOutput = masked ? Words::tr("ALERT output masked") : Words::tr("ALERT output enabled");
    row(Words::tr("Configuration:"), hexWithSuffix(config) + QStringLiteral(": ") + alertOutput +
                                         QStringLiteral(", ") + (standby ? Words::tr("standby") : Words::tr("converting")));
    row(Words::tr("Conversion rate:"), Words::tr("code %1, %2").arg(rate).arg(rateText(conversionsPerSecond(rate))));
    row(Words::tr("Local limits:"),
        Words::tr("low %1, high %2").arg(celsiusText(limits[LocalLow]), celsiusText(limits[LocalHigh])));
    row(Words::tr("Remote limits:"),
        Words::tr("low %1, high %2").arg(celsiusText(limits[RemoteLow]), celsiusText(limits[RemoteHigh])));
    row(Words::tr("Status:"), hexWithSuffix(status) + QStringLiteral(": ") +
                                  (flags.isEmpty() ? Words::tr("no flags") : flags.join(QStringLiteral(", "))));
    return Done;
}

int temps(Session &s, const Invocation &run, const Output &out, const ToolIo &io)
{
    if (!run.watchSeconds) {
        printTemperatures(out, readTemperatures(s));
        return Done;
    }
    StopSignals stop;
    AlertWatch alerts(s, io.monotonic, run.onAlert, io.err);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    for (long long k = 1; !stop.requested(); ++k) {
        const AlertState alert = alerts.readStatus();
        const Temperatures t = readTemperatures(s);
        const QDateTime when = io.now();
        if (out.json()) {
            QJsonObject line = temperaturesJson(t);
            line[QStringLiteral("time")] = isoTime(when);
            line[QStringLiteral("status")] = alert.status;
            line[QStringLiteral("flags")] = QJsonArray::fromStringList(namedBits(Status, alert.status));
            line[QStringLiteral("alert")] = alert.alert;
            out.value(line);
        } else {
            // The limits this read found crossed; a line held in alert after
            // a clear read has none.
            const QStringList flags = namedBits(Status, alert.status & StatusLimitMask);
            out.line(timeOfDayText(when.time().msecsSinceStartOfDay() / 1000.0) + QStringLiteral("  ") + temperaturesText(t) +
                     (alert.alert ? QStringLiteral("  ALERT") : QString()) +
                     (flags.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(flags.join(QStringLiteral(", ")))));
        }
        alerts.recorded(alert, when, t.remote, t.local);
        if (stop.waitFor(k * *run.watchSeconds - elapsed()))
            break;
    }
    return Done;
}

int readRegisters(Session &s, const Invocation &run, const Output &out)
{
    std::vector<uint8_t> addresses;
    if (run.allRegisters)
        for (const RegisterRow &row : RegisterTable)
            addresses.push_back(row.readAddress);
    else
        addresses.push_back(run.registerAddress);
    QJsonArray list;
    for (uint8_t address : addresses) {
        const uint8_t value = s.read(address);
        if (out.json())
            list.append(registerJson(address, value));
        else
            out.line(registerLine(address, value));
    }
    if (out.json()) {
        if (run.allRegisters)
            out.value(list);
        else
            out.value(list.first().toObject());
    }
    return Done;
}

int writeRegister(Session &s, const Invocation &run, const Output &out)
{
    const RegisterRow &row = RegisterTable[registerRowOf(run.registerAddress)];
    const uint8_t address = *row.writeAddress;
    s.write(address, run.value);
    const uint8_t value = static_cast<uint8_t>(run.value);
    if (out.json())
        out.value(registerJson(address, value));
    else
        out.line(QStringLiteral("wrote ") + registerLine(address, value));
    return Done;
}

int limits(Session &s, const Invocation &run, const Output &out)
{
    int now[LimitCount];
    const bool setting = std::any_of(run.limits.begin(), run.limits.end(), [](const auto &l) { return l.has_value(); });
    if (setting) {
        for (int i = 0; i < LimitCount; ++i)
            now[i] = run.limits[i] ? *run.limits[i] : decodeTemperature(s.read(static_cast<uint8_t>(LocalHighLimitRead + i)));
        const auto refused = {
            std::tuple{LocalHigh, LocalLow,
                       QT_TRANSLATE_NOOP("ort::cli::Tool",
                                         "The local high limit would be %1, below its low limit %2: nothing was written")},
            std::tuple{RemoteHigh, RemoteLow,
                       QT_TRANSLATE_NOOP("ort::cli::Tool",
                                         "The remote high limit would be %1, below its low limit %2: nothing was written")}};
        for (const auto &[high, low, words] : refused)
            if (now[high] < now[low])
                throw UsageError(
                    Words::tr(words).arg(celsiusText(now[high]), celsiusText(now[low])).toStdString());
        for (int i = 0; i < LimitCount; ++i)
            if (run.limits[i])
                s.write(static_cast<uint8_t>(LocalHighLimitWrite + i), *run.limits[i] & 0xFF);
    }
    for (int i = 0; i < LimitCount; ++i)
        now[i] = decodeTemperature(s.read(static_cast<uint8_t>(LocalHighLimitRead + i)));
    if (out.json()) {
        out.value(QJsonObject{{QStringLiteral("local_high"), now[LocalHigh]},
                              {QStringLiteral("local_low"), now[LocalLow]},
                              {QStringLiteral("remote_high"), now[RemoteHigh]},
                              {QStringLiteral("remote_low"), now[RemoteLow]}});
        return Done;
    }
    out.line(Words::tr("local   low %1  high %2").arg(celsiusText(now[LocalLow]), celsiusText(now[LocalHigh])));
    out.line(Words::tr("remote  low %1  high %2").arg(celsiusText(now[RemoteLow]), celsiusText(now[RemoteHigh])));
    return Done;
}

int rate(Session &s, const Invocation &run, const Output &out)
{
    if (run.rateCode)
        s.write(ConversionRateWrite, *run.rateCode);
    const uint8_t code = s.read(ConversionRateRead);
    if (out.json())
        out.value(QJsonObject{{QStringLiteral("code"), code},
                              {QStringLiteral("conversions_per_second"), conversionsPerSecond(code)}});
    else
        out.line(Words::tr("code %1, %2").arg(code).arg(rateText(conversionsPerSecond(code))));
    return Done;
}

int standby(Session &s, const Invocation &run, const Output &out)
{
    if (run.standby) {
        const uint8_t config = s.read(ConfigurationRead);
        s.write(ConfigurationWrite, *run.standby ? config | ConfigStandby : config & ~ConfigStandby);
    }
    const bool on = s.read(ConfigurationRead) & ConfigStandby;
    if (out.json())
        out.value(QJsonObject{{QStringLiteral("standby"), on}});
    else
        out.line(on ? Words::tr("standby on: no automatic conversions") : Words::tr("standby off: converting"));
    return Done;
}

int oneShot(Session &s, const Output &out, std::FILE *err)
{
    if (!(s.read(ConfigurationRead) & ConfigStandby)) {
        const QByteArray note = QByteArrayLiteral("ort310: the chip is not in standby and goes on converting by itself "
                                                  "(ort310 standby on)\n");
        std::fwrite(note.constData(), 1, static_cast<size_t>(note.size()), err);
    }
    s.write(OneShot, 0xFF);
    std::this_thread::sleep_for(OneShotWait);
    printTemperatures(out, readTemperatures(s));
    return Done;
}

int clearAlert(Session &s, const Output &out)
{
    // The chip's status is not read first: that read clears its flags, and
    // with them the ALERT it is asked to answer for.
    const std::optional<uint8_t> device = s.link().respondToAlert(
        LinkNewComPort::StatusFirst::Skip, [] { std::this_thread::sleep_for(AlertStepPause); });
    if (out.json())
        out.value(QJsonObject{{QStringLiteral("alerting"), device.has_value()},
                              {QStringLiteral("address"), device ? QJsonValue(*device) : QJsonValue()}});
    else if (device)
        out.line(Words::tr("the device at %1 answered and released ALERT").arg(hexWithSuffix(*device)));
    else
        out.line(Words::tr("no device is alerting"));
    return Done;
}

int runCommand(const Invocation &run, const ToolIo &io)
{
    const Output out(io.out, run.json);
    if (run.command == Command::Doctor)
        return doctor(run, out.json(), io.out);
    BusAccessServer &bus = io.bus(run.component);
    if (run.command == Command::Scan)
        return scan(bus, run, out);
    if (run.command == Command::Serve)
        return serve(bus, run, io);
    Session session(bus, run.target);
    switch (run.command) {
    case Command::Info: return info(session, out);
    case Command::Temps: return temps(session, run, out, io);
    case Command::Read: return readRegisters(session, run, out);
    case Command::Write: return writeRegister(session, run, out);
    case Command::Limits: return limits(session, run, out);
    case Command::Rate: return rate(session, run, out);
    case Command::Standby: return standby(session, run, out);
    case Command::OneShot: return oneShot(session, out, io.err);
    case Command::ClearAlert: return clearAlert(session, out);
    case Command::Log: return logReadings(session, run, io);
    case Command::Scan:
    case Command::Doctor:
    case Command::Serve: break;
    }
    return Done;
}

} // namespace

void say(std::FILE *err, const QString &text)
{
    const QByteArray bytes = QByteArrayLiteral("ort310: ") + text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err);
    std::fflush(err);
}

int runTool(const QStringList &arguments, const ToolIo &io)
{
    installTranslations(languageArgument(arguments));
    Invocation run;
    try {
        run = parseInvocation(arguments, io.environment);
    } catch (const UsageError &e) {
        say(io.err, QString::fromUtf8(e.what()));
        say(io.err, Words::tr("ort310 --help tells how to use it"));
        return Misused;
    }
    if (!run.answer.isEmpty()) {
        const QByteArray bytes = run.answer.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), io.out);
        return Done;
    }
    try {
        // A board file that cannot be used is a file failure, not a misuse.
        readBoard(run.component);
        return runCommand(run, io);
    } catch (const UsageError &e) {
        say(io.err, QString::fromUtf8(e.what()));
        return Misused;
    } catch (const std::exception &e) {
        // A bus or file failure, a chip not found, or one that stopped answering.
        say(io.err, QString::fromUtf8(RunTimeError::from(std::current_exception()).what()));
        return Failed;
    }
}

} // namespace ort::cli
