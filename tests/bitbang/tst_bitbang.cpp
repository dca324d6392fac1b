#include "component/bitbang/bitbangsmbus.h"
#include "component/buserror.h"
#include "component/sim/simbackend.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ort;
using namespace ort::sim;

namespace {

ChipSetup steadyChip(uint8_t address7 = 0x4C, double local = 25, double remote = 50)
{
    ChipSetup c;
    c.address7 = address7;
    c.local = constantTemperature(local);
    c.remote = constantTemperature(remote);
    c.noise = 0;
    return c;
}

struct Board {
    explicit Board(PortSetup setup = {}, bool withChip = true)
    {
        if (withChip && setup.chips.empty())
            setup.chips.push_back(steadyChip());
        Scenario s;
        s.ports.push_back(setup);
        backend = std::make_unique<SimBackend>(s, clock);
    }
    SimPrinterPort &port() { return backend->port(0); }
    QStringList violations()
    {
        QStringList out;
        for (const WireViolation &v : port().violations())
            out << QString::fromStdString(v.what);
        return out;
    }
    bool busReleased() { return port().wires().wire().scl() && port().wires().wire().sda(); }
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::unique_ptr<SimBackend> backend;
};

} // namespace

class TestBitBang : public QObject {
    Q_OBJECT
private slots:
    void everyRegisterOverTheWires_data();
    void everyRegisterOverTheWires();
    void otherVariantFindsNothing_data();
    void otherVariantFindsNothing();
    void clearAlertSequenceOnTheWire();
    void missingAcknowledgeReleasesBus();
    void timingAtTheBusParameter_data();
    void timingAtTheBusParameter();
    void stuckDataLineTimesOut();
    void unpluggedBoardStopsAnswering();
    void rawPortWriteKeepsMasterInStep();
    void waveformTrace();
};

void TestBitBang::everyRegisterOverTheWires_data()
{
    QTest::addColumn<bool>("variant");
    QTest::newRow("non-inverting board") << true;
    QTest::newRow("inverting board") << false;
}

void TestBitBang::everyRegisterOverTheWires()
{
    QFETCH(bool, variant);
    PortSetup setup;
    setup.boardVariant = variant;
    Board b(setup);
    SimPrinterPort &p = b.port();
    p.setVariant(variant);
    SimChip *chip = p.bus().chipAt(0x4C);

    // Writes go to the write addresses, read back from the read addresses.
    const QList<QPair<uint8_t, uint8_t>> pairs = {{0x09, 0x03}, {0x0A, 0x04}, {0x0B, 0x05},
                                                  {0x0C, 0x06}, {0x0D, 0x07}, {0x0E, 0x08}};
    uint8_t value = 0x11;
    for (const auto &[write, read] : pairs) {
        value = static_cast<uint8_t>(value + 0x13);
        const uint8_t expected = write == 0x09 ? uint8_t(value & 0xC0) | 0x40 : value;   // config: standby
        p.writeByteData(0x98, write, write == 0x09 ? expected : value);
        QCOMPARE(chip->peek(read), expected);
        QCOMPARE(p.readByteData(0x98, read), expected);
    }
    p.writeByteData(0x98, 0x0F, 0);   // one-shot
    b.clock->advance(0.2);
    QCOMPARE(p.readByteData(0x98, 0x00), uint8_t(25));
    QCOMPARE(p.readByteData(0x98, 0x01), uint8_t(50));
    QCOMPARE(p.readByteData(0x98, 0xFE), uint8_t(0x5C));
    QCOMPARE(p.readByteData(0x98, 0xFF), uint8_t(0x01));
    QCOMPARE(b.violations().join("; "), QString());
    QVERIFY(b.busReleased());
}

void TestBitBang::otherVariantFindsNothing_data()
{
    everyRegisterOverTheWires_data();
}

void TestBitBang::otherVariantFindsNothing()
{
    QFETCH(bool, variant);
    PortSetup setup;
    setup.boardVariant = variant;
    for (uint8_t a : {0x18, 0x2A, 0x4C, 0x4E})
        setup.chips.push_back(steadyChip(a));
    Board b(setup);
    SimPrinterPort &p = b.port();
    p.setVariant(!variant);
    int found = 0;
    for (uint8_t address : {0x30, 0x32, 0x34, 0x52, 0x54, 0x56, 0x98, 0x9A, 0x9C}) {
        try {
            found += p.readByteData(address, 0xFE) == 0x5C;
        } catch (const NoAcknowledge &e) {
            QCOMPARE(QString(e.what()), QString::fromStdString(noAcknowledgeText(address >> 1)));
        }
    }
    QCOMPARE(found, 0);
    // The right variant still reaches the chips afterwards.
    p.setVariant(variant);
    QCOMPARE(p.readByteData(0x98, 0xFE), uint8_t(0x5C));
    QCOMPARE(p.readByteData(0x30, 0xFE), uint8_t(0x5C));
    QVERIFY(b.busReleased());
}

void TestBitBang::clearAlertSequenceOnTheWire()
{
    Board b;
    SimPrinterPort &p = b.port();
    p.writeByteData(0x98, 0x0D, 45);   // remote high limit below the remote 50
    b.clock->advance(4.1);
    b.port().wires().wire().clearViolations();

    p.start();
    p.sendByte(0x19);
    QVERIFY(p.receiveAck());
    QCOMPARE(p.receiveByte(), uint8_t(0x98));
    p.sendNoAck();
    p.stop();
    QVERIFY(b.busReleased());

    p.start();
    p.sendByte(0x19);
    QVERIFY(!p.receiveAck());   // ALERT released: nobody answers
    p.stop();
    QCOMPARE(b.violations().join("; "), QString());
    QVERIFY(b.busReleased());
}

void TestBitBang::missingAcknowledgeReleasesBus()
{
    PortSetup setup;
    ChipSetup refusing = steadyChip();
    refusing.failingWrite = true;
    setup.chips.push_back(refusing);
    Board b(setup);
    SimPrinterPort &p = b.port();

    try {
        p.readByteData(0x9A, 0xFE);   // nobody at 4Dh
        QFAIL("a read from an empty address succeeded");
    } catch (const NoAcknowledge &e) {
        QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Dh"));
    }
    QVERIFY(b.busReleased());

    try {
        p.writeByteData(0x98, 0x0B, 70);   // the chip refuses the data byte
        QFAIL("a refused write succeeded");
    } catch (const NoAcknowledge &e) {
        QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Ch"));
    }
    QVERIFY(b.busReleased());
    QCOMPARE(p.readByteData(0x98, 0xFE), uint8_t(0x5C));
    QCOMPARE(b.violations().join("; "), QString());
}

void TestBitBang::timingAtTheBusParameter_data()
{
    QTest::addColumn<int>("parameter");
    QTest::addColumn<bool>("clean");
    QTest::newRow("240: 6 us half-period") << 240 << true;
    QTest::newRow("160: still within limits with access time") << 160 << true;
    QTest::newRow("40: 1 us, far too fast") << 40 << false;
}

void TestBitBang::timingAtTheBusParameter()
{
    QFETCH(int, parameter);
    QFETCH(bool, clean);
    Board b;
    SimPrinterPort &p = b.port();
    p.setBusParameter(parameter);
    const int64_t before = p.wires().busTimeNs();
    p.writeByteData(0x98, 0x0B, 77);
    QCOMPARE(p.readByteData(0x98, 0x05), uint8_t(77));   // the slave keeps up either way
    const QStringList v = b.violations();
    if (clean) {
        QCOMPARE(v.join("; "), QString());
    } else {
        QVERIFY(!v.filter("clock low").isEmpty());
        QVERIFY(!v.filter("clock high").isEmpty());
    }
    // A read is 38 clock periods, plus start, stop and port accesses.
    const int64_t half = int64_t(parameter) * 25;
    QVERIFY(p.wires().busTimeNs() - before > 2 * 38 * half);
}

void TestBitBang::stuckDataLineTimesOut()
{
    PortSetup setup;
    setup.stuckSda = true;
    Board b(setup);
    SimPrinterPort &p = b.port();
    const int64_t before = p.wires().busTimeNs();
    try {
        p.readByteData(0x98, 0xFE);
        QFAIL("a read on a stuck bus succeeded");
    } catch (const NoAcknowledge &) {
        QFAIL("a stuck bus reported as a missing acknowledge");
    } catch (const BusError &e) {
        QVERIFY(QString(e.what()).contains("SDA is held low"));
        QVERIFY(QString(e.what()).contains("378h"));
    }
    const int64_t took = p.wires().busTimeNs() - before;
    QVERIFY2(took >= 35'000'000 && took < 36'000'000, qPrintable(QString::number(took)));
    QVERIFY(p.wires().wire().scl());   // the clock is let go
}

void TestBitBang::unpluggedBoardStopsAnswering()
{
    PortSetup setup;
    setup.unplugAfterTransfers = 2;
    Board b(setup);
    SimPrinterPort &p = b.port();
    QCOMPARE(p.readByteData(0x98, 0xFE), uint8_t(0x5C));
    QCOMPARE(p.readByteData(0x98, 0xFF), uint8_t(0x01));
    QVERIFY_THROWS_EXCEPTION(NoAcknowledge, p.readByteData(0x98, 0xFE));
    QVERIFY(b.busReleased());
}

void TestBitBang::rawPortWriteKeepsMasterInStep()
{
    // Quit writes 0 to the data lines, pulling both low; a later transfer
    // must still begin from a clean idle bus.
    Board b;
    SimPrinterPort &p = b.port();
    p.writeData(0);
    QCOMPARE(p.dataRegister(), uint8_t(0));
    QVERIFY(!b.port().wires().wire().scl());
    QCOMPARE(p.readByteData(0x98, 0xFE), uint8_t(0x5C));
    QVERIFY(b.busReleased());
}

void TestBitBang::waveformTrace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bus.vcd");
    qputenv("ORT310_WIRE_TRACE", path.toLocal8Bit());
    {
        Board b;
        qunsetenv("ORT310_WIRE_TRACE");
        b.port().readByteData(0x98, 0xFE);
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString vcd = QString::fromLatin1(f.readAll());
    QVERIFY(vcd.startsWith("$timescale 1ns $end"));
    QVERIFY(vcd.contains("$var wire 1 ! SCL $end"));
    // The initial value, four bytes of nine clocks each, then the rises of
    // the repeated start and of the stop.
    QCOMPARE(vcd.count(QRegularExpression("^1!$", QRegularExpression::MultilineOption)), 1 + 36 + 2);
    // Timestamps only ever increase.
    int64_t last = -1;
    for (const QString &line : vcd.split('\n')) {
        if (!line.startsWith('#'))
            continue;
        const int64_t t = line.mid(1).toLongLong();
        QVERIFY(t > last);
        last = t;
    }
    QVERIFY(last > 38 * 2 * 6000);
}

QTEST_GUILESS_MAIN(TestBitBang)
#include "tst_bitbang.moc"
