// The exporter `ort310 serve`: its HTTP side as a scraper and a stranger
// meet it, its reader on boards of the test's own, and the whole process.
#include "cli/serve.h"
#include "component/buserror.h"
#include "tests/support/boards.h"
#include "tests/support/simboard.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <csignal>

using namespace ort;

namespace {

struct Response {
    int status = 0;
    QByteArray head;
    QByteArray body;
};

// Sends the requests one after the other on one connection to a server of
// this process, each once the one before was answered, and takes the
// answers, each whole, until all came, the server closed or 5 s passed. A
// HEAD request's answer has no body.
QList<Response> exchange(quint16 port, const QByteArrayList &requests)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    QByteArray received;
    QList<Response> answers;
    for (const QByteArray &request : requests) {
        socket.write(request);
        const bool answered = QTest::qWaitFor([&] {
            received += socket.readAll();
            const qsizetype end = received.indexOf("\r\n\r\n");
            if (end < 0)
                return socket.state() == QAbstractSocket::UnconnectedState;
            Response r{received.mid(9, 3).toInt(), received.left(end), {}};
            static const QRegularExpression length(QStringLiteral("Content-Length: (\\d+)"), QRegularExpression::CaseInsensitiveOption);
            const qsizetype size = request.startsWith("HEAD") ? 0 : length.match(QString::fromLatin1(r.head)).captured(1).toLongLong();
            if (received.size() < end + 4 + size)
                return false;
            r.body = received.mid(end + 4, size);
            received.remove(0, end + 4 + size);
            answers << r;
            return true;
        }, 5000);
        if (!answered || socket.state() != QAbstractSocket::ConnectedState)
            break;
    }
    return answers;
}

QByteArray get(const QByteArray &path, const QByteArray &method = "GET", const QByteArray &more = {})
{
    return method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + more + "\r\n";
}

// A reader of the board's chips, its rounds driven by the test.
struct Exporter {
    explicit Exporter(test::SimBoard &board, const cli::Target &target = {})
        : clock(*board.clock),
          reader(board.server(), target, {[this] { return clock.now(); }, [this] { return 1.7e9 + clock.now(); }},
                 [this](const QString &line) { said << line; })
    {
    }
    // The exposition after a round `advance` seconds on.
    QString text(double advance = 0)
    {
        clock.advance(advance);
        reader.round();
        return QString::fromUtf8(cli::exposition(reader.readings()));
    }
    ManualClock &clock;
    QStringList said;
    cli::ChipReader reader;
};

double sample(const QString &text, const QString &series)
{
    const QRegularExpression line(QLatin1Char('^') + QRegularExpression::escape(series) + QStringLiteral(" (\\S+)$"),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : qQNaN();
}

} // namespace

class TestServe : public QObject {
    Q_OBJECT

private slots:
    void answersHttp_data()
    {
        QTest::addColumn<QByteArrayList>("requests");
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<QByteArray>("lastBody");   // what the last answer's body holds
        const QByteArray metrics = get("/metrics");
        QTest::newRow("metrics") << QByteArrayList{metrics} << QList<int>{200} << QByteArray("ort310_build_info");
        QTest::newRow("HEAD then GET") << QByteArrayList{get("/metrics", "HEAD"), get("/")} << QList<int>{200, 200}
                                       << QByteArray("<a href=\"/metrics\">");
        QTest::newRow("unknown path") << QByteArrayList{get("/metrics/x")} << QList<int>{404} << QByteArray("/metrics");
        QTest::newRow("POST") << QByteArrayList{get("/metrics", "POST", "Content-Length: 2\r\n") + "{}"} << QList<int>{405}
                              << QByteArray("read-only");
        QTest::newRow("DELETE elsewhere") << QByteArrayList{get("/x", "DELETE")} << QList<int>{405} << QByteArray("GET and HEAD");
        QTest::newRow("long header") << QByteArrayList{get("/metrics", "GET", "X-Pad: " + QByteArray(9000, 'a') + "\r\n")}
                                     << QList<int>{413} << QByteArray("larger");
        QTest::newRow("long body") << QByteArrayList{get("/", "PUT", "Content-Length: 100000\r\n") + QByteArray(100000, 'b')}
                                   << QList<int>{413} << QByteArray("larger");
        // Small requests on one kept-alive connection, together past the limit.
        const QByteArray padded = get("/metrics", "GET", "X-Pad: " + QByteArray(1000, 'c') + "\r\n");
        QTest::newRow("many on one connection") << QByteArrayList(12, padded) << QList<int>(12, 200) << QByteArray("ort310_chip_up");
    }
    void answersHttp()
    {
        QFETCH(QByteArrayList, requests);
        QFETCH(QList<int>, statuses);
        QFETCH(QByteArray, lastBody);
        cli::MetricsServer server([] { return cli::exposition({cli::ChipReading{}}); });
        QCOMPARE(server.listen(QHostAddress::LocalHost, 0), QString());
        const QList<Response> answers = exchange(server.port(), requests);
        QList<int> got;
        for (const Response &r : answers)
            got << r.status;
        QCOMPARE(got, statuses);
        QVERIFY2(answers.last().body.contains(lastBody), answers.last().body.constData());
        QCOMPARE(answers.last().head.contains("Allow: GET, HEAD"), statuses.last() == 405);
        if (requests.first().startsWith("HEAD"))   // the length GET would have
            QVERIFY(answers.first().head.contains("Content-Length: " + QByteArray::number(cli::exposition({cli::ChipReading{}}).size())));
        if (requests.first().startsWith("GET /metrics ") && statuses.first() == 200)
            QVERIFY(answers.first().head.contains("Content-Type: text/plain; version=0.0.4"));
    }

    void readsEveryChipOnce()
    {
        sim::PortSetup inverting = test::portWith(0x278, {test::steadyChipAt(0x4D, 20, 40)});
        inverting.boardVariant = false;
        sim::Scenario scenario = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C, 25, 50)}), inverting});
        scenario.ports[0].answersEitherVariant = true;   // listed twice by the search
        scenario.smbus.chips = {test::steadyChipAt(0x18, -5, 70)};
        scenario.smbus.device = "/dev/i2c-\"7\"\\\n";
        test::SimBoard board(scenario);
        board.server().Smbus().WriteRegister(0x18, chip::ConfigurationWrite, chip::ConfigStandby);
        Exporter e(board);
        const QString text = e.text();
        const QString smbus = QStringLiteral("route=\"smbus\",adapter=\"/dev/i2c-\\\"7\\\"\\\\\\n\",address=\"18\"");
        for (const QString &line : {QStringLiteral("ort310_temperature_celsius{route=\"printer\",port=\"378\",address=\"4C\",sensor=\"remote\"} 50"),
                                    QStringLiteral("ort310_temperature_celsius{route=\"printer\",port=\"278\",address=\"4D\",sensor=\"local\"} 20"),
                                    "ort310_temperature_celsius{" + smbus + ",sensor=\"local\"} -5",
                                    QStringLiteral("ort310_limit_celsius{route=\"printer\",port=\"378\",address=\"4C\",sensor=\"local\",bound=\"low\"} -55"),
                                    QStringLiteral("ort310_conversions_per_second{route=\"printer\",port=\"378\",address=\"4C\"} 0.25"),
                                    "ort310_conversions_per_second{" + smbus + "} 0",
                                    QStringLiteral("ort310_last_read_timestamp_seconds{route=\"printer\",port=\"378\",address=\"4C\"} 1700000000.000"),
                                    QStringLiteral("# TYPE ort310_read_errors_total counter")})
            QVERIFY2(text.contains(line + '\n'), qPrintable(line));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("^ort310_chip_up\\{.*\\} 1$"), QRegularExpression::MultilineOption)), 3);
        QCOMPARE(text.count(QStringLiteral("\n# TYPE ")), 10);
        QVERIFY2(e.said.join('\n').contains("reading 3 chips: the ORT310 at 4Ch on printer port 378h"), qPrintable(e.said.join('\n')));
    }

    void holdsAlertAsTheLamp()
    {
        sim::ChipSetup hotThenCool = test::steadyChipAt(0x18);
        hotThenCool.remote = [](double t) { return t < 20 ? 95.0 : 30.0; };
        sim::Scenario scenario = test::boardWith({});
        scenario.smbus.chips = {hotThenCool};
        test::SimBoard board(scenario);
        board.server().Smbus().WriteRegister(0x18, chip::RemoteHighLimitWrite, 80);
        Exporter e(board);
        QString flags, alerts;
        for (int second = 1; second <= 30; ++second) {
            const QString text = e.text(1);
            flags += QString::number(sample(text, "ort310_status_flag{route=\"smbus\",adapter=\"5000\",address=\"18\",flag=\"remote_high\"}"));
            alerts += QString::number(sample(text, "ort310_alert{route=\"smbus\",adapter=\"5000\",address=\"18\"}"));
        }
        // Conversions every 4 s from 4 s on latch the flag, which each read
        // clears; the alert holds between flagged reads and ends a period and
        // a quarter after the last, once the remote cooled at 20 s.
        QCOMPARE(flags, QStringLiteral("0000") + QStringLiteral("1000").repeated(4) + QString(10, '0'));
        QCOMPARE(alerts, QStringLiteral("0000") + QString(17, '1') + QString(9, '0'));
    }

    void chipComesBack()
    {
        test::SimBoard board;
        Exporter e(board, {cli::Route::Smbus, {}, {}});
        const QString up = QStringLiteral("ort310_chip_up{route=\"smbus\",adapter=\"5000\",address=\"18\"}");
        const QString nacks = QStringLiteral("ort310_read_errors_total{route=\"smbus\",adapter=\"5000\",address=\"18\",reason=\"no_acknowledge\"}");
        QCOMPARE(sample(e.text(), up), 1.0);
        board.backend->smbus().bus().setUnplugAfter(0);
        QString text = e.text(1);
        QCOMPARE(sample(text, up), 0.0);
        QCOMPARE(sample(text, nacks), 1.0);
        QVERIFY(!text.contains("ort310_temperature_celsius{"));
        board.backend->smbus().bus().setUnplugAfter(-1);
        text = e.text(1);
        QCOMPARE(sample(text, up), 1.0);
        QCOMPARE(sample(text, "ort310_reads_total{route=\"smbus\",adapter=\"5000\",address=\"18\"}"), 3.0);
        QVERIFY2(e.said.join('\n').contains(QRegularExpression("does not answer \\(No acknowledge.*\\n.*answers again")),
                 qPrintable(e.said.join('\n')));
    }

    void servesDownWhenNoChip()
    {
        test::SimBoard board(test::boardWith({}));
        Exporter e(board, {cli::Route::Smbus, {}, 0x4D});
        QCOMPARE(sample(e.text(), "ort310_chip_up{route=\"smbus\",address=\"4D\"}"), 0.0);
        QVERIFY2(e.said.join('\n').contains("No ORT310 was found at 4Dh on the SMBus"), qPrintable(e.said.join('\n')));
    }

    void endsOnItsOwnFault()
    {
        // A fault of the program, not of the bus: the rounds end and say why.
        struct Faulty final : Backend, SmbusTransport {
            std::string name() const override { return "faulty"; }
            std::string description() const override { return {}; }
            int portCount() override { return 0; }
            ParallelPort &port(int) override { throw BusError("no port"); }
            SmbusTransport &smbus() override { return *this; }
            std::string buildNumber() override { return "2222"; }
            uint8_t readByteData(uint8_t, uint8_t) override { throw std::logic_error("a reading out of order"); }
            void writeByteData(uint8_t, uint8_t, uint8_t) override {}
            uint32_t baseAddress() override { return 0; }
        };
        test::SimBoard board(std::make_unique<Faulty>(), std::make_shared<ManualClock>());
        Exporter e(board);
        cli::LatestText latest;
        std::atomic<bool> told = false;
        cli::ReaderThread thread(e.reader, 0.01, latest, [&](const QString &why) { told = why == "a reading out of order"; });
        QTRY_VERIFY(told);
        QCOMPARE(thread.rounds(), 0);
    }

    void scrapesNeverTouchTheBus()
    {
        test::SimBoard board;
        std::atomic<int> transfers = 0, writes = 0;
        board.server().setTransferObserver([&](const Transfer &t) {
            ++transfers;
            writes += !t.read;
        });
        cli::LatestText latest;
        Exporter e(board);
        cli::MetricsServer server([&] { return latest.get(); });
        QCOMPARE(server.listen(QHostAddress::LocalHost, 0), QString());
        {
            cli::ReaderThread thread(e.reader, 3600, latest);
            QTRY_VERIFY(thread.rounds() == 1);
            const int before = transfers;
            const QList<Response> answers = exchange(server.port(), QByteArrayList(50, get("/metrics")));
            QCOMPARE(answers.size(), 50);
            QCOMPARE(answers.last().body.count("ort310_chip_up{"), 2);
            QCOMPARE(transfers.load(), before);
        }
        QVERIFY(transfers > 0);
        QCOMPARE(writes.load(), 0);
    }

    void warnsWhenOpenToTheNetwork_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("open");
        QTest::newRow("loopback") << "127.0.0.1" << false;
        QTest::newRow("another loopback") << "127.0.0.2" << false;
        QTest::newRow("IPv6 loopback") << "::1" << false;
        QTest::newRow("every address") << "0.0.0.0" << true;
        QTest::newRow("every IPv6 address") << "::" << true;
        QTest::newRow("one interface") << "192.0.2.1" << true;
    }
    void warnsWhenOpenToTheNetwork()
    {
        QFETCH(QString, address);
        QFETCH(bool, open);
        const QString warning = cli::networkWarning(QHostAddress(address), 9310);
        QCOMPARE(warning.contains(QStringLiteral("listening on %1 port 9310: the readings are open to the network").arg(address)), open);
        QCOMPARE(warning.isEmpty(), !open);
    }

    void runsAsProcess()
    {
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORT310_BUS"), QStringLiteral("sim"));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(ORT310_TOOL), {"serve", "--listen", "127.0.0.1:0", "--interval", "0.2"});
        QString said;
        static const QRegularExpression at(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/metrics"));
        QTRY_VERIFY((said += QString::fromUtf8(first.readAllStandardError())).contains("reading 2 chips"));
        const QString port = at.match(said).captured(1);

        QTcpSocket scraper;
        scraper.connectToHost(QHostAddress::LocalHost, port.toUShort());
        scraper.write(get("/metrics"));
        QTRY_VERIFY((said = QString::fromUtf8(scraper.peek(1 << 16))).contains("ort310_build_info{version=\"5.0\"} 1"));
        QVERIFY(said.contains(QRegularExpression("ort310_chip_up\\{route=\"printer\",port=\"378\",address=\"4C\"\\} 1\\n")));

        const QStringList taken[] = {{"serve", "--listen", "127.0.0.1:" + port}, {"serve", "--listen", "192.0.2.1:9310"}};
        const QByteArray words[] = {"Cannot answer scrapes at 127.0.0.1 port " + port.toLatin1() + ": The bound address is already in use",
                                    "Cannot answer scrapes at 192.0.2.1 port 9310: The address is not available"};
        for (int i = 0; i < 2; ++i) {
            QProcess second;
            second.setProcessEnvironment(env);
            second.start(QStringLiteral(ORT310_TOOL), taken[i]);
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(second.exitCode(), 1);
            QVERIFY2(second.readAllStandardError().contains(words[i]), words[i].constData());
        }
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestServe)
#include "tst_serve.moc"
