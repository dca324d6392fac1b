// The command-line tool as a user and a script meet it: arguments in;
// standard output, standard error, exit status and files out. Most cases run
// the built program; those that need a board of their own (a chip that stops
// answering, an alert) run its commands on one in this process.
#include "cli/doctor.h"
#include "cli/tool.h"
#include "cli/values.h"
#ifdef ORT_LINUX_BACKEND
#include "component/linux/linuxbackend.h"
#endif
#include "link/boardfile.h"
#include "link/busoptions.h"
#include "tests/support/boards.h"
#include "tests/support/simboard.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace ort;

Q_DECLARE_METATYPE(cli::MachineView)

namespace {

struct Result {
    int status = -1;
    QString out;
    QString err;
};

QProcessEnvironment simEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORT310_BUS"), QStringLiteral("sim"));
    env.remove(QStringLiteral("ORT310_I2C"));
    env.remove(QStringLiteral("ORT310_WIRE_TRACE"));
    env.remove(QStringLiteral("ORT310_BOARD"));
    return env;
}

void startTool(QProcess &p, const QStringList &arguments)
{
    p.setProcessEnvironment(simEnvironment());
    p.start(QStringLiteral(ORT310_TOOL), arguments);
    QVERIFY2(p.waitForStarted(), "ort310 did not start");
}

Result finish(QProcess &p)
{
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

Result tool(const QStringList &arguments)
{
    QProcess p;
    startTool(p, arguments);
    return finish(p);
}

QString readAll(std::FILE *f)
{
    std::rewind(f);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(f);
    return QString::fromUtf8(bytes);
}

// The tool's commands on a board of the test's own.
Result onBoard(BusAccessServer &server, std::shared_ptr<const Clock> clock, const QStringList &arguments)
{
    cli::ToolIo io;
    io.out = std::tmpfile();
    io.err = std::tmpfile();
    io.bus = [&](const ComponentOptions &) -> BusAccessServer & { return server; };
    io.monotonic = [clock = std::move(clock)] { return clock->now(); };
    Result r;
    r.status = cli::runTool(QStringList{QStringLiteral("ort310")} + arguments, io);
    r.out = readAll(io.out);
    r.err = readAll(io.err);
    return r;
}
Result onBoard(test::SimBoard &board, const QStringList &arguments)
{
    return onBoard(board.server(), board.clock, arguments);
}

// Time that passes as the bus is used, as it does on a real one: a log at
// --interval 0 then sees the chip convert.
class BusTime final : public Clock {
public:
    double now() const override { return m_now += 0.002; }
    double secondsSinceMidnight() const override { return 12 * 3600 + m_now; }

private:
    mutable double m_now = 0;
};

// The hot example board without noise, so that its records are exact: its
// remote diode warms past the 80 C limit and cools below it again within
// 100 s of bus time, a conversion a second.
struct HotBoard {
    std::shared_ptr<BusTime> clock = std::make_shared<BusTime>();
    BusAccessServer server{std::make_unique<sim::SimBackend>(scenario(), clock)};
    Result run(const QStringList &arguments) { return onBoard(server, clock, QStringList{"--route", "smbus"} + arguments); }
    static sim::Scenario scenario()
    {
        QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../data/boards/hot.json"));
        sim::Scenario s = parseBoard(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), "hot.json");
        for (sim::ChipSetup &chip : s.smbus.chips)
            chip.noise = 0;
        return s;
    }
};

QJsonValue jsonPath(const QString &text, const QString &path)
{
    QJsonValue v = QJsonDocument::fromJson(text.toUtf8()).object();
    for (const QString &key : path.split(QLatin1Char('.')))
        v = v.toObject().value(key);
    return v;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A log of the window program's records only: the header or a restart
// marker, then whole records. Returns the number of records, or -1.
int tsvRecords(const QByteArray &log)
{
    static const QRegularExpression line(QStringLiteral("^(Time\tRTemp\tLTemp|\r\t\t\tRestart|\r\\d\\d:\\d\\d:\\d\\d\t[ -]\\d+ \t[ -]\\d+ )$"));
    if (!log.endsWith("\r\n"))
        return -1;
    int records = 0;
    const QList<QByteArray> lines = log.chopped(2).split('\n');
    for (const QByteArray &l : lines) {
        const QString text = QString::fromLatin1(l.endsWith('\r') ? l.chopped(1) : l);
        if (!line.match(text).hasMatch())
            return -1;
        records += text.startsWith(QLatin1Char('\r')) && !text.contains(QLatin1String("Restart"));
    }
    return records;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void refusesInWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no command") << QStringList{} << "No command given";
        QTest::newRow("unknown command") << QStringList{"tmeps"} << "Unknown command \"tmeps\"";
        QTest::newRow("unknown option") << QStringList{"temps", "--wacth", "1"} << "wacth";
        QTest::newRow("register missing") << QStringList{"read"} << "read needs REGISTER|all";
        QTest::newRow("file missing") << QStringList{"log", "--count", "1"} << "log needs FILE";
        QTest::newRow("no such name") << QStringList{"read", "statsu"} << "No register is called \"statsu\"";
        QTest::newRow("not in the map") << QStringList{"read", "0x20"} << "no register at 0x20";
        QTest::newRow("read-only") << QStringList{"write", "status", "0"} << "The register 2h (Status) is read-only";
        QTest::newRow("read-only by address") << QStringList{"write", "0xFE", "1"} << "is read-only";
        QTest::newRow("value past a byte") << QStringList{"write", "0x0B", "256"} << "256 is outside 0 to 255";
        QTest::newRow("hex past a byte") << QStringList{"write", "0x0B", "100h"} << "outside 0 to 255";
        QTest::newRow("junk after digits") << QStringList{"write", "0x0B", "12a"} << "\"12a\" is not a number";
        QTest::newRow("empty value") << QStringList{"write", "0x0B", ""} << "\"\" is not a number";
        QTest::newRow("negative value") << QStringList{"write", "0x0B", "--", "-1"} << "\"-1\" is not a number";
        QTest::newRow("extra argument") << QStringList{"temps", "now"} << "Unexpected argument \"now\"";
        QTest::newRow("limit off the chip") << QStringList{"limits", "--local-high", "128"} << "outside what the chip holds";
        QTest::newRow("limit not whole") << QStringList{"limits", "--remote-low=-5.5"} << "not a whole number";
        QTest::newRow("rate code") << QStringList{"rate", "8"} << "not one of 0 to 7";
        QTest::newRow("rate per second") << QStringList{"rate", "--per-second", "3"} << "is not a rate of the chip";
        QTest::newRow("rate twice") << QStringList{"rate", "3", "--per-second", "1"} << "not both";
        QTest::newRow("standby") << QStringList{"standby", "yes"} << "standby takes on or off";
        QTest::newRow("count and duration") << QStringList{"log", "f", "--count", "1", "--duration", "1"} << "not both";
        QTest::newRow("no count") << QStringList{"log", "f", "--count", "0"} << "is not a count";
        QTest::newRow("format") << QStringList{"log", "f", "--format", "xls"} << "Unknown log format";
        QTest::newRow("log json") << QStringList{"log", "f", "--json"} << "--format jsonl";
        QTest::newRow("on-alert once") << QStringList{"temps", "--on-alert", "true"} << "--on-alert needs --watch";
        QTest::newRow("on-alert nowhere") << QStringList{"log", "f", "--on-alert", "/no/such/pager"} << "\"/no/such/pager\", is not a program";
        QTest::newRow("watch 0") << QStringList{"temps", "--watch", "0"} << "above 0 s";
        QTest::newRow("watch junk") << QStringList{"temps", "--watch", "1s"} << "not a number of seconds";
        QTest::newRow("route") << QStringList{"--route", "usb", "temps"} << "Unknown route \"usb\"";
        QTest::newRow("port on smbus") << QStringList{"--route", "smbus", "--port", "378", "temps"} << "--port names a printer port";
        QTest::newRow("address") << QStringList{"--address", "80", "temps"} << "not a 7-bit device address";
        QTest::newRow("bus") << QStringList{"temps", "--bus", "nowhere"} << "Unknown bus \"nowhere\" in --bus";
        QTest::newRow("listen without port") << QStringList{"serve", "--listen", "127.0.0.1"} << "is not an address and a port";
        QTest::newRow("listen IPv6 bare") << QStringList{"serve", "--listen", "::1:9310"} << "such as 127.0.0.1:9310 or [::1]:9310";
        QTest::newRow("listen name") << QStringList{"serve", "--listen", "bench.lab:9310"} << "names no IPv4 address";
        QTest::newRow("listen port") << QStringList{"serve", "--listen", "127.0.0.1:65536"} << "has no port from 0 to 65535";
        QTest::newRow("serve interval 0") << QStringList{"serve", "--interval", "0"} << "above 0 s";
        QTest::newRow("serve json") << QStringList{"serve", "--json"} << "--json does not apply";
        QTest::newRow("limits crossed") << QStringList{"limits", "--local-high", "-60"}
                                        << "local high limit would be -60 C, below its low limit -55 C";
    }
    void refusesInWords()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const Result r = tool(arguments);
        QCOMPARE(r.status, cli::Misused);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    }

    void readsValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");   // -1: refused
        QTest::newRow("decimal") << "byte" << "26" << 26;
        QTest::newRow("0x") << "byte" << "0X1a" << 26;
        QTest::newRow("h") << "byte" << "1Ah" << 26;
        QTest::newRow("blanks round") << "byte" << " 255 " << 255;
        QTest::newRow("no digits") << "byte" << "0x" << -1;
        QTest::newRow("both marks") << "byte" << "0x1Ah" << -1;
        QTest::newRow("exponent") << "byte" << "1e2" << -1;
        QTest::newRow("huge") << "byte" << "99999999999999999999" << -1;
        QTest::newRow("name") << "register" << "Local-Temp-High-Limit" << 5;
        QTest::newRow("type name") << "register" << "LocalTemperature" << 0;
        QTest::newRow("caption") << "register" << "ManufacturerID" << 0xFE;
        QTest::newRow("one-shot") << "register" << "one-shot" << 15;
        QTest::newRow("write address") << "register" << "0x0E" << 8;
        QTest::newRow("decimal address") << "register" << "10" << 4;
        QTest::newRow("last") << "register" << "255" << 255;
        QTest::newRow("blank name") << "register" << "--" << -1;
        QTest::newRow("1/16") << "per second" << "1/16" << 0;
        QTest::newRow("fraction") << "per second" << "0.0625" << 0;
        QTest::newRow("8") << "per second" << "8" << 7;
        QTest::newRow("half") << "per second" << ".5" << 3;
        QTest::newRow("by zero") << "per second" << "1/0" << -1;
        QTest::newRow("lowest") << "celsius" << "-128" << -128;
        QTest::newRow("plus") << "celsius" << "+127" << 127;
        QTest::newRow("hex degrees") << "celsius" << "0x10" << -1;
        QTest::newRow("below") << "celsius" << "-129" << -1;
        QTest::newRow("address h") << "address" << "4Ch" << 0x4C;
        QTest::newRow("address plain") << "address" << "18" << 0x18;
        QTest::newRow("address general call") << "address" << "0" << -1;
        QTest::newRow("port") << "port" << "0x378" << 0x378;
        QTest::newRow("port past 16 bits") << "port" << "10000" << -1;
        QTest::newRow("listen IPv6") << "listen" << "[::1]:9310" << 9310;
        QTest::newRow("listen localhost") << "listen" << "LOCALHOST:0" << 0;
        QTest::newRow("listen IPv4 in brackets") << "listen" << "[127.0.0.1]:80" << -1;
        QTest::newRow("listen scoped") << "listen" << "[fe80::1%lo]:80" << -1;
    }
    void readsValues()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, value);
        int got = -1;
        try {
            if (kind == "byte")
                got = cli::parseByteValue(text);
            else if (kind == "register")
                got = cli::parseRegister(text);
            else if (kind == "per second")
                got = cli::parseConversionsPerSecond(text);
            else if (kind == "celsius")
                got = cli::parseCelsius(text, "--limit");
            else if (kind == "address")
                got = cli::parseBusAddress(text);
            else if (kind == "listen")
                got = cli::parseListenAddress(text).port;
            else
                got = cli::parsePortBase(text);
        } catch (const UsageError &) {
        }
        QCOMPARE(got, value);
    }

    void scans_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        const QString printer = QStringLiteral("Found an ORT310 at:4Ch, on printer port:378h");
        const QString smbus = QStringLiteral("An ORT310 was found at:18h, on the SMBus");
        QTest::newRow("both media") << QStringList{"scan"} << QStringList{printer, smbus};
        QTest::newRow("smbus") << QStringList{"--route", "smbus", "scan"} << QStringList{smbus};
        QTest::newRow("printer") << QStringList{"scan", "--route", "printer"} << QStringList{printer};
        QTest::newRow("port") << QStringList{"--port", "378", "scan"} << QStringList{printer};
        QTest::newRow("no such port") << QStringList{"--port", "278", "scan"} << QStringList{};
        QTest::newRow("address") << QStringList{"--address", "18", "scan"} << QStringList{smbus};
        QTest::newRow("nobody there") << QStringList{"--address", "4D", "scan"} << QStringList{};
    }
    void scans()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        const Result r = tool(arguments);
        QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), lines);
        QCOMPARE(r.status, lines.isEmpty() ? cli::Failed : cli::Done);
        if (lines.isEmpty())
            QVERIFY2(r.err.contains("Sorry, no ORT310s were found"), qPrintable(r.err));
    }

    void answersInJson_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::newRow("identity") << QStringList{"info", "--json"} << "manufacturer_id" << QJsonValue(0x5C);
        QTest::newRow("first chip") << QStringList{"info", "--json"} << "chip.port" << QJsonValue(0x378);
        QTest::newRow("smbus chip") << QStringList{"--route", "smbus", "info", "--json"} << "chip.address" << QJsonValue(0x18);
        QTest::newRow("power-on low limit") << QStringList{"info", "--json"} << "remote_low" << QJsonValue(-55);
        QTest::newRow("power-on rate") << QStringList{"--json", "info"} << "conversions_per_second" << QJsonValue(0.25);
        QTest::newRow("read by name") << QStringList{"read", "die-revision-code", "--json"} << "value" << QJsonValue(1);
        QTest::newRow("read write address") << QStringList{"read", "0x0B", "--json"} << "address" << QJsonValue(5);
        QTest::newRow("write address") << QStringList{"write", "local-temp-high-limit", "0x5A", "--json"} << "address"
                                       << QJsonValue(0x0B);
        QTest::newRow("limit set") << QStringList{"limits", "--local-high", "90", "--remote-low", "-10", "--json"}
                                   << "remote_low" << QJsonValue(-10);
        QTest::newRow("limit kept") << QStringList{"limits", "--local-high", "90", "--json"} << "local_low" << QJsonValue(-55);
        QTest::newRow("lowest limit") << QStringList{"limits", "--local-low", "-128", "--json"} << "local_low" << QJsonValue(-128);
        QTest::newRow("rate code") << QStringList{"rate", "5", "--json"} << "code" << QJsonValue(5);
        QTest::newRow("rate per second") << QStringList{"rate", "--per-second", "1/16", "--json"} << "code" << QJsonValue(0);
        QTest::newRow("standby on") << QStringList{"standby", "on", "--json"} << "standby" << QJsonValue(true);
        QTest::newRow("standby off") << QStringList{"standby", "off", "--json"} << "standby" << QJsonValue(false);
        QTest::newRow("no alert") << QStringList{"clear-alert", "--json"} << "alerting" << QJsonValue(false);
    }
    void answersInJson()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        const Result r = tool(arguments);
        QCOMPARE(r.status, cli::Done);
        QCOMPARE(jsonPath(r.out, key), value);
    }

    void readsEveryRegister()
    {
        const Result r = tool({"read", "all", "--json"});
        QCOMPARE(r.status, cli::Done);
        const QJsonArray all = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QList<int> addresses;
        for (const QJsonValue &v : all)
            addresses << v[QStringLiteral("address")].toInt();
        QCOMPARE(addresses, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 254, 255}));
        QCOMPARE(all[6][QStringLiteral("value")].toInt(), 0xC9);
        const Result text = tool({"read", "0xFE"});
        QCOMPARE(text.out, QStringLiteral("FEh  Manufacturers ID         5Ch   92 01011100\n"));
    }

    void temperaturesSigned()
    {
        for (const char *route : {"printer", "smbus"}) {
            const Result r = tool({"--route", route, "temps", "--json"});
            QCOMPARE(r.status, cli::Done);
            const QJsonObject t = QJsonDocument::fromJson(r.out.toUtf8()).object();
            // The simulated board: local about 28, remote between 20 and 100.
            QVERIFY2(t["local"].toInt() >= 25 && t["local"].toInt() <= 31, qPrintable(r.out));
            QVERIFY2(t["remote"].toInt() >= 15 && t["remote"].toInt() <= 105, qPrintable(r.out));
        }
    }

    void helpAndVersion()
    {
        const Result help = tool({"--help"});
        QCOMPARE(help.status, cli::Done);
        for (const char *command : {"scan", "info", "temps", "read", "write", "limits", "rate", "standby", "one-shot",
                                    "clear-alert", "log", "doctor", "serve"}) {
            QVERIFY2(help.out.contains(QStringLiteral("\n  %1 ").arg(command)), command);
            const Result own = tool({command, "--help"});
            QCOMPARE(own.status, cli::Done);
            QVERIFY2(own.out.startsWith(QStringLiteral("Usage: ort310 [options] %1").arg(command)), qPrintable(own.out));
        }
        for (const QString &line : help.out.split('\n'))
            QVERIFY2(line.size() <= 79, qPrintable(line));   // a terminal's width, and the manual page's
        QVERIFY(tool({"help", "log"}).out.contains("--duration <seconds>"));
        QVERIFY(help.out.contains("Options of log:\n  --interval <seconds>"));
        QCOMPARE(tool({"--version"}).out, QStringLiteral("ort310 (ORT310 Evaluation Software) 5.0\n"));
    }

    void scansOnePort()
    {
        sim::Scenario scenario;
        scenario.ports = {test::portAt(0x378, {0x4C}), test::portAt(0x278, {0x4D})};
        scenario.smbus.present = false;
        test::SimBoard board(scenario);
        QCOMPARE(onBoard(board, {"--port", "378", "scan"}).out, QStringLiteral("Found an ORT310 at:4Ch, on printer port:378h\n"));
        QCOMPARE(onBoard(board, {"--port", "0x278", "scan"}).out, QStringLiteral("Found an ORT310 at:4Dh, on printer port:278h\n"));
        QCOMPARE(jsonPath(onBoard(board, {"--port", "278h", "info", "--json"}).out, "chip.port"), QJsonValue(0x278));
    }

    void logs_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("tsv") << "tsv";
        QTest::newRow("csv") << "csv";
        QTest::newRow("jsonl") << "jsonl";
    }
    void logs()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString file = dir.filePath("log." + format);
        for (int run = 0; run < 2; ++run)
            QCOMPARE(tool({"log", file, "--interval", "0", "--count", "20"}).status, cli::Done);
        const QByteArray log = fileBytes(file);
        if (format == "tsv") {
            QVERIFY(log.startsWith("Time\tRTemp\tLTemp\r\n"));
            QCOMPARE(log.count("\r\t\t\tRestart\r\n"), 1);
            QCOMPARE(tsvRecords(log), 40);
            return;
        }
        QList<QByteArray> lines = log.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        if (format == "csv")
            QCOMPARE(lines.takeFirst(), QByteArray("time,remote,local,status,alert"));
        QCOMPARE(lines.size(), 40);
        static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}(Z|[+-]\\d\\d:\\d\\d)$"));
        QString last;
        for (const QByteArray &line : lines) {
            const QString time = format == "csv" ? QString::fromLatin1(line.split(',').first())
                                                 : QJsonDocument::fromJson(line)["time"].toString();
            QVERIFY2(iso.match(time).hasMatch() && time >= last, line.constData());
            last = time;
        }
    }

    // A file never mixes two layouts: one begun without the status columns
    // goes on without them.
    void csvBegunWithoutStatusKeepsItsColumns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("old.csv");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("time,remote,local\n2024-05-01T12:00:00.000+02:00,20,28\n") > 0);
        f.close();
        const Result r = tool({"log", file, "--count", "3", "--interval", "0"});
        QCOMPARE(r.status, cli::Done);
        QVERIFY2(r.err.contains("without the status and alert columns"), qPrintable(r.err));
        const QList<QByteArray> lines = fileBytes(file).trimmed().split('\n');
        QCOMPARE(lines.size(), 5);
        for (const QByteArray &line : lines)
            QCOMPARE(line.count(','), 2);
    }

    // "-" is standard output: the records come there, and no file is made.
    void logToStandardOutput()
    {
        QTemporaryDir dir;
        test::SimBoard board;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const Result r = onBoard(board, {"log", "-", "--count", "2", "--interval", "0", "--format", "csv"});
        QDir::setCurrent(before);
        QCOMPARE(r.status, cli::Done);
        const QStringList lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].startsWith("time,remote,local,"), qPrintable(r.out));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void logEndsOnWholeRecord_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("Ctrl+C") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
    }
    void logEndsOnWholeRecord()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString file = dir.filePath("night.xls");
        QProcess p;
        startTool(p, {"log", file, "--interval", "0"});
        QTRY_VERIFY_WITH_TIMEOUT(fileBytes(file).count('\n') > 20, 10000);
        ::kill(static_cast<pid_t>(p.processId()), signal);
        const Result r = finish(p);
        QCOMPARE(r.status, cli::Done);
        QVERIFY(tsvRecords(fileBytes(file)) > 20);

        startTool(p, {"temps", "--watch", "0.02"});
        QTRY_VERIFY_WITH_TIMEOUT(p.bytesAvailable() > 0, 10000);
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QCOMPARE(finish(p).status, cli::Done);
    }

    void logFailureKeepsRecords()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("full.xls");
        QProcess p;
        // A file size limit makes a write fail part-way through a record.
        p.setChildProcessModifier([] {
            const rlimit limit{1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        startTool(p, {"log", file, "--interval", "0"});
        const Result r = finish(p);
        QCOMPARE(r.status, cli::Failed);
        const int records = tsvRecords(fileBytes(file));
        QVERIFY2(records > 0, fileBytes(file).constData());
        QVERIFY2(r.err.contains(QStringLiteral("failed after %1 records").arg(records)), qPrintable(r.err));

        const Result nowhere = tool({"log", dir.filePath("no/such/folder.xls"), "--count", "1"});
        QCOMPARE(nowhere.status, cli::Failed);
        QVERIFY2(nowhere.err.contains("failed after 0 records"), qPrintable(nowhere.err));
    }

    void logBusFailureKeepsRecords()
    {
        sim::Scenario scenario = sim::Scenario::defaultBoard();
        // The search's probe and then four records of two reads each.
        scenario.smbus.chips[0].nackAfterTransfers = 1 + 4 * 2;
        test::SimBoard board(scenario);
        QTemporaryDir dir;
        const QString file = dir.filePath("log.xls");
        const Result r = onBoard(board, {"--route", "smbus", "log", file, "--interval", "0"});
        QCOMPARE(r.status, cli::Failed);
        QVERIFY2(r.err.contains("Reading the chip failed after 4 records had been logged"), qPrintable(r.err));
        QCOMPARE(tsvRecords(fileBytes(file)), 4);
    }

    // The alert as the lamp holds it: on for as long as the remote diode is
    // above its limit, though most status reads between two conversions come
    // back clear.
    void logsTheAlert_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("csv") << "csv";
        QTest::newRow("jsonl") << "jsonl";
    }
    void logsTheAlert()
    {
        QFETCH(QString, format);
        HotBoard board;
        QTemporaryDir dir;
        const QString file = dir.filePath("night." + format);
        QCOMPARE(board.run({"log", file, "--interval", "0", "--count", "12000"}).status, cli::Done);
        QList<QByteArray> lines = fileBytes(file).trimmed().split('\n');
        if (format == "csv")
            QCOMPARE(lines.takeFirst(), QByteArray("time,remote,local,status,alert"));
        QCOMPARE(lines.size(), 12000);
        QString runs;
        bool flagged = false;
        for (const QByteArray &line : lines) {
            const QJsonObject json = QJsonDocument::fromJson(line).object();
            const QList<QByteArray> csv = line.split(',');
            const bool alert = format == "csv" ? csv.value(4) == "1" : json["alert"].toBool();
            flagged |= format == "csv" ? csv.value(3) == "16" : json["flags"].toArray().contains("Remote High");
            if (runs.isEmpty() || runs.back() != QChar(alert ? '1' : '0'))
                runs += alert ? '1' : '0';
        }
        QCOMPARE(runs, QString("010"));
        QVERIFY(flagged);
    }

    // The command runs at the start and at the end, its environment saying
    // which, and it can be stopped as any other: nothing held back or ignored.
    // The log does not wait for it: the command sees the log grow to its end
    // (the header and 12,000 records).
    void runsACommandAtAnAlert_data()
    {
        QTest::addColumn<QString>("last");   // the script's last line
        QTest::addColumn<QString>("said");
        QTest::newRow("done") << "exit 0" << "";
        QTest::newRow("failing") << "exit 3" << "ort310: The --on-alert command for the alert's start failed (exit status 3)";
    }
    void runsACommandAtAnAlert()
    {
        QFETCH(QString, last);
        QFETCH(QString, said);
        HotBoard board;
        QTemporaryDir dir;
        const QString script = dir.filePath("page me");
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // bash, as dash starts a script with no signal blocked whatever it inherits.
        f.write("#!/bin/bash\nfor i in {1..600}; do (( $(wc -l < \"$1\") == 12001 )) && break; sleep 0.05; done\n"
                "{ env; echo \"LOGGED=$(wc -l < \"$1\")\"; grep -E 'SigBlk|SigIgn' /proc/self/status; } > \"$0.$ORT310_ALERT\"\n" +
                last.toUtf8() + '\n');
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        // The command's signals are as the tool's were when it started, which
        // are this test's now (a make, say, ignores some of its own).
        const QByteArray ours = fileBytes("/proc/self/status");
        const auto line = [&](const char *key) {
            const qsizetype at = ours.indexOf(key);
            return ours.mid(at, ours.indexOf('\n', at) - at + 1);
        };
        const auto kept = std::signal(SIGXFSZ, SIG_IGN);   // as the tool's own main has it
        const Result r = board.run({"log", dir.filePath("night.xls"), "--interval", "0", "--count", "12000", "--on-alert",
                                    '"' + script + "\" " + dir.filePath("night.xls")});
        std::signal(SIGXFSZ, kept);
        QCOMPARE(r.status, cli::Done);
        QCOMPARE(tsvRecords(fileBytes(dir.filePath("night.xls"))), 12000);
        QCOMPARE(r.err.isEmpty(), said.isEmpty());
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        const QByteArray start = fileBytes(script + ".start");
        for (const QByteArray &expected : {QByteArray("ORT310_ALERT=start\n"), QByteArray("ORT310_REMOTE=81\n"),
                                           QByteArray("ORT310_LOCAL=31\n"), QByteArray("ORT310_STATUS=16\n"),
                                           QByteArray("ORT310_FLAGS=Remote High\n"), line("SigBlk:"), line("SigIgn:")})
            QVERIFY2(start.contains(expected), expected.constData());
        QVERIFY2(start.contains("LOGGED=12001\n"), start.constData());
        const QByteArray end = fileBytes(script + ".end");
        QVERIFY2(end.contains("ORT310_ALERT=end\n") && end.contains("ORT310_REMOTE=80\n"), end.constData());
    }

    void clearsAlert_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("device");
        QTest::newRow("printer") << "printer" << "4Ch";
        QTest::newRow("smbus") << "smbus" << "18h";
    }
    void clearsAlert()
    {
        QFETCH(QString, route);
        QFETCH(QString, device);
        test::SimBoard board;
        QCOMPARE(onBoard(board, {"--route", route, "limits", "--remote-high", "-20", "--remote-low", "-128"}).status, cli::Done);
        QCOMPARE(onBoard(board, {"--route", route, "clear-alert"}).out, QStringLiteral("no device is alerting\n"));
        board.clock->advance(10);
        QCOMPARE(onBoard(board, {"--route", route, "clear-alert"}).out,
                 QStringLiteral("the device at %1 answered and released ALERT\n").arg(device));
        QCOMPARE(onBoard(board, {"--route", route, "clear-alert"}).out, QStringLiteral("no device is alerting\n"));
        const Result info = onBoard(board, {"--route", route, "info", "--json"});
        QCOMPARE(jsonPath(info.out, "remote_high"), QJsonValue(-20));
    }

#ifdef ORT_LINUX_BACKEND
    void doctorAdvises_data()
    {
        QTest::addColumn<cli::MachineView>("view");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QString>("advice");   // a sentence of it; empty: no advice at all
        const auto node = [](const char *path, int error, const char *group, bool member) {
            return cli::NodeView{path, error, group, "crw-rw----", member, "root"};
        };
        cli::MachineView none;
        none.user = "ann";
        QTest::newRow("nothing") << none << false << "i2c-dev module is not loaded";
        none.i2cDevLoaded = true;
        QTest::newRow("bare machine") << none << false << "neither a printer port nor an SMBus adapter";

        cli::MachineView smbus = none;
        smbus.adapters = {{"/dev/i2c-0", "SMBus I801 adapter at 5000", node("/dev/i2c-0", 0, "i2c", false), true}};
        QTest::newRow("adapter usable") << smbus << true << "";
        smbus.adapters[0].byteData = false;
        QTest::newRow("no byte data") << smbus << false << "";
        smbus.adapters[0].node->openError = EACCES;
        QTest::newRow("group i2c") << smbus << false << "Join the group i2c to use /dev/i2c-0: sudo usermod -aG i2c ann";
        smbus.adapters[0].node->member = true;
        QTest::newRow("member, old login") << smbus << false << "You are in the group i2c, which may open /dev/i2c-0";
        smbus.adapters[0].node = node("/dev/i2c-0", EACCES, "root", false);
        QTest::newRow("root only") << smbus << false
                                   << "/dev/i2c-0 is open to root only: give it to the group i2c with a udev rule";
        smbus.adapters[0].node.reset();
        smbus.i2cDevLoaded = false;
        QTest::newRow("no node") << smbus << false << "i2c-dev module is not loaded";

        cli::MachineView ports = none;
        ports.systemPorts = 1;
        QTest::newRow("no ppdev") << ports << false << "printer port(s) but the ppdev module is not loaded";
        ports.ports = {{node("/dev/parport0", 0, "lp", false), 0x378}};
        QTest::newRow("port usable") << ports << true << "";
        ports.ports[0].base.reset();
        QTest::newRow("port without base") << ports << false << "";
        ports.ports = {{node("/dev/parport0", EPERM, "lp", false), 0x378}};
        QTest::newRow("group lp") << ports << false << "Join the group lp to use /dev/parport0";
    }
    void doctorAdvises()
    {
        QFETCH(cli::MachineView, view);
        QFETCH(bool, usable);
        QFETCH(QString, advice);
        const cli::DoctorReport report = cli::examine(view);
        QCOMPARE(report.usable, usable);
        QCOMPARE(report.json["usable"].toBool(), usable);
        if (advice.isEmpty())
            QCOMPARE(report.advice, QStringList());
        else
            QVERIFY2(report.advice.join('\n').contains(advice), qPrintable(report.advice.join('\n')));
    }
    // A node that opens fine, as the system shows it to this user: usable,
    // in a group the user is in, and nothing to do.
    void doctorOnANodeThatOpens()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("parport0");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup));
        const cli::NodeView node = cli::lookAtNode(path.toStdString());
        QCOMPARE(node.openError, 0);
        QCOMPARE(QString::fromStdString(node.mode), QString("crw-rw----"));
        QVERIFY(node.member);
        QVERIFY(!node.group.empty());
        cli::MachineView view;
        view.user = "ann";
        view.i2cDevLoaded = true;
        view.ports = {{node, 0x378}};
        const cli::DoctorReport report = cli::examine(view);
        QVERIFY(report.usable);
        QCOMPARE(report.advice, QStringList());
        QCOMPARE(report.portLines.size(), 1);
        QVERIFY2(report.portLines[0].endsWith(QString::fromStdString(node.group) + "  usable"), qPrintable(report.portLines[0]));
    }
#endif

    void onADescribedBoard_data()
    {
        QTest::addColumn<QString>("variable");   // ORT310_BOARD
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");         // -1: as the machine has it
        QTest::addColumn<QString>("said");       // on standard output, or on standard error when it fails
        const QString hot = QStringLiteral(ORT_BOARDS_DIR "/hot.json");
        const QString bad = m_dir.filePath("bad.json");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\n  \"printerPorts\": [{\"base\": \"378\", \"chips\": 1}]\n}") > 0);
        const QString limit = QStringLiteral("\"remote_high\":80");
        QTest::newRow("option") << "" << QStringList{"--board", hot, "--json", "info"} << 0 << limit;
        QTest::newRow("variable") << hot << QStringList{"--json", "info"} << 0 << limit;
        QTest::newRow("option over variable") << bad << QStringList{"--board", hot, "--json", "info"} << 0 << limit;
        QTest::newRow("bad file") << "" << QStringList{"--board", bad, "info"} << 1
                                  << bad + ":2: \"chips\": 1 is not a list of chips";
        QTest::newRow("hardware") << hot << QStringList{"--bus", "linux", "info"} << 2
                                  << "ORT310_BOARD describes a simulated board, but --bus linux asks for this machine's hardware";
        const QString two = QStringLiteral(ORT_BOARDS_DIR "/two-adapters.json");
        QTest::newRow("adapter") << two << QStringList{"--i2c", "/dev/i2c-1", "scan"} << 0 << "at:4Dh, on the SMBus";
        QTest::newRow("no such adapter") << two << QStringList{"--i2c", "/dev/i2c-7", "scan"} << 1
                                         << "The simulated board has no SMBus adapter /dev/i2c-7";
#ifdef ORT_LINUX_BACKEND
        QTest::newRow("doctor") << hot << QStringList{"doctor"} << -1
                                << "This run talks to the simulated board described by " + hot + ".\n";
#endif
    }
    void onADescribedBoard()
    {
        QFETCH(QString, variable);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        QProcess p;
        QProcessEnvironment env = simEnvironment();
        env.insert(QStringLiteral("ORT310_BOARD"), variable);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORT310_TOOL), arguments);
        const Result r = finish(p);
        if (status >= 0)
            QCOMPARE(r.status, status);
        QVERIFY2((r.status == cli::Done || status < 0 ? r.out : r.err).contains(said), qPrintable(r.out + r.err));
    }

    void doctorSays()
    {
        const Result r = tool({"doctor", "--json"});
        const QJsonObject report = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QVERIFY2(report.contains("advice"), qPrintable(r.out));
        QCOMPARE(r.status, report["usable"].toBool() ? cli::Done : cli::Failed);
#ifdef ORT_LINUX_BACKEND
        QVERIFY(tool({"doctor"}).out.contains("What to do:"));
        const cli::NodeView null = cli::lookAtNode("/dev/null");
        QCOMPARE(QString::fromStdString(null.mode), QStringLiteral("crw-rw-rw-"));
        QCOMPARE(null.openError, 0);
        QCOMPARE(cli::lookAtNode("/dev/no-such-node").openError, ENOENT);
        // auto is told as createBackend takes it on this machine.
        const linuxhw::HardwareShown shown = linuxHardwareShown();
        const QString autoRun = tool({"--bus", "auto", "doctor"}).out;
        const QString said = shown.shown ? QString("This run (bus auto) talks to the above.\n")
                                         : "This run (bus auto) talks to the simulated board: " +
                                               QString::fromStdString(shown.absence) + ".\n";
        QVERIFY2(autoRun.contains(said), qPrintable(autoRun));
        QVERIFY(tool({"--bus", "auto", "--i2c", "/dev/i2c-999", "doctor"}).out.contains("(bus auto) talks to the above."));
#endif
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
