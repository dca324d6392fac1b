#include "component/bitbang/bitbangsmbus.h"
#include "component/bitbang/wiring.h"
#include "component/buserror.h"
#include "component/sim/simbackend.h"
#include "tests/support/boards.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ort;
using namespace ort::sim;
using ort::test::steadyChipAt;

namespace {

// The real master on the first port of a simulated machine.
struct Board {
    explicit Board(PortSetup setup = {}, bool withChip = true, const std::string &trace = {})
    {
        if (withChip && setup.chips.empty())
            setup.chips.push_back(steadyChipAt(0x4C));
        Scenario s;
        s.ports.push_back(setup);
        backend = std::make_unique<SimBackend>(s, clock, trace);
        master = std::make_unique<BitBangSmbus>(port());
    }
    VirtualParallelPort &port() { return backend->port(0); }
    QStringList violations()
    {
        QStringList out;
        for (const WireViolation &v : port().violations())
            out << QString::fromStdString(v.what);
        return out;
    }
    QString conditions() { return QString::fromStdString(port().wire().conditions()); }
    bool busReleased() { return port().wire().scl() && port().wire().sda(); }
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::unique_ptr<SimBackend> backend;
    std::unique_ptr<BitBangSmbus> master;
};

struct VcdChange {
    int64_t time;
    char line;   // 'C' clock, 'D' data
    bool level;
};

// The changes of a trace, and the last timestamp in it.
QList<VcdChange> vcdChanges(const QString &vcd, int64_t *lastStamp)
{
    QList<VcdChange> out;
    int64_t t = 0;
    const QStringList lines = vcd.split('\n', Qt::SkipEmptyParts);
    const qsizetype body = lines.indexOf("$end", lines.indexOf("$dumpvars")) + 1;
    for (qsizetype i = body; i < lines.size(); ++i) {
        const QString &l = lines[i];
        if (l.startsWith('#'))
            t = l.mid(1).toLongLong();
        else if (l.size() == 2)
            out.append({t, l[1] == '!' ? 'C' : 'D', l[0] == '1'});
    }
    *lastStamp = t;
    return out;
}

// What a logic analyser's I2C decoder makes of a trace: "S" start, "P"
// stop, bytes in hexadecimal, "A"/"N" for the ninth bit.
QString decodeI2c(const QList<VcdChange> &changes, bool scl, bool sda)
{
    QStringList out;
    int bits = 0;
    unsigned byte = 0;
    for (const VcdChange &c : changes) {
        if (c.line == 'D') {
            if (scl && c.level != sda) {
                out << (c.level ? "P" : "S");
                bits = 0;
                byte = 0;
            }
            sda = c.level;
        } else {
            if (c.level && !scl) {
                if (bits < 8) {
                    byte = byte << 1 | (sda ? 1 : 0);
                    if (++bits == 8)
                        out << QString::number(byte, 16).toUpper().rightJustified(2, '0');
                } else {
                    out << (sda ? "N" : "A");
                    bits = 0;
                    byte = 0;
                }
            }
            scl = c.level;
        }
    }
    return out.join(' ');
}

} // namespace

class TestBitBang : public QObject {
    Q_OBJECT
private slots:
    void everyRegisterOverTheWires_data();
    void everyRegisterOverTheWires();
    void otherVariantFindsNothing_data();
    void otherVariantFindsNothing();
    void boardThatFollowsEitherVariant();
    void variantChangeMovesOneLineAtATime();
    void clearAlertSequenceOnTheWire();
    void missingAcknowledgeReleasesBus();
    void timingAtTheBusParameter_data();
    void timingAtTheBusParameter();
    void invalidBusParameter();
    void stuckDataLineTimesOut();
    void slaveLeftInsideAByteIsClockedFree();
    void interruptedTransferEndsWithAStop();
    void unpluggedBoardStopsAnswering();
    void rawPortWriteKeepsMasterInStep();
    void waveformTrace();
    void traceDecodesAsTheTransfers();
    void boardHoldsDataAfterClockFalls();
    void transfersCostTheLeastPortAccesses();
};

void TestBitBang::everyRegisterOverTheWires_data()
{
    QTest::addColumn<bool>("variant");
    QTest::newRow("non-inverting board") << true;
    QTest::newRow("inverting board") << false;
}

void TestBitBang::everyRegisterOverTheWires()
{
    test::failOnComponentError([&] {
        QFETCH(bool, variant);
        PortSetup setup;
        setup.boardVariant = variant;
        Board b(setup);
        BitBangSmbus &m = *b.master;
        m.setVariant(variant);
        SimChip *chip = b.port().bus().chipAt(0x4C);

        // Writes go to the write addresses, read back from the read addresses.
        const QList<QPair<uint8_t, uint8_t>> pairs = {{0x09, 0x03}, {0x0A, 0x04}, {0x0B, 0x05},
                                                      {0x0C, 0x06}, {0x0D, 0x07}, {0x0E, 0x08}};
        const QList<uint8_t> values = {0x40, 0x37, 0x4A, 0xD3, 0x5D, 0x80};   // config: standby
        for (int i = 0; i < pairs.size(); ++i) {
            const auto [write, read] = pairs[i];
            m.writeByteData(0x98, write, values[i]);
            QCOMPARE(chip->peek(read), values[i]);
            QCOMPARE(m.readByteData(0x98, read), values[i]);
        }
        m.writeByteData(0x98, 0x0F, 0);   // one-shot
        b.clock->advance(0.2);
        QCOMPARE(m.readByteData(0x98, 0x00), uint8_t(25));
        QCOMPARE(m.readByteData(0x98, 0x01), uint8_t(50));
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QCOMPARE(m.readByteData(0x98, 0xFF), uint8_t(0x01));
        QCOMPARE(b.violations().join("; "), QString());
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::otherVariantFindsNothing_data()
{
    everyRegisterOverTheWires_data();
}

void TestBitBang::otherVariantFindsNothing()
{
    test::failOnComponentError([&] {
        QFETCH(bool, variant);
        PortSetup setup;
        setup.boardVariant = variant;
        for (uint8_t a : {0x18, 0x2A, 0x4C, 0x4E})
            setup.chips.push_back(steadyChipAt(a));
        Board b(setup);
        BitBangSmbus &m = *b.master;
        m.setVariant(!variant);
        const QList<QPair<uint8_t, QString>> candidates = {{0x30, "18"}, {0x32, "19"}, {0x34, "1A"},
                                                           {0x52, "29"}, {0x54, "2A"}, {0x56, "2B"},
                                                           {0x98, "4C"}, {0x9A, "4D"}, {0x9C, "4E"}};
        int found = 0;
        for (const auto &[address, name] : candidates) {
            try {
                found += m.readByteData(address, 0xFE) == 0x5C;
            } catch (const NoAcknowledge &e) {
                QCOMPARE(QString(e.what()), "No acknowledge from device at " + name + "h");
            }
        }
        QCOMPARE(found, 0);
        // The right variant still reaches the chips afterwards.
        m.setVariant(variant);
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QCOMPARE(m.readByteData(0x30, 0xFE), uint8_t(0x5C));
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::boardThatFollowsEitherVariant()
{
    test::failOnComponentError([&] {
        PortSetup setup;
        setup.answersEitherVariant = true;
        Board b(setup);
        BitBangSmbus &m = *b.master;
        for (bool variant : {false, true, false, true}) {
            m.setVariant(variant);
            QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
            QVERIFY_THROWS_EXCEPTION(NoAcknowledge, m.readByteData(0x9A, 0xFE));
            m.writeByteData(0x98, 0x0B, variant ? 0x51 : 0x52);
            QCOMPARE(m.readByteData(0x98, 0x05), uint8_t(variant ? 0x51 : 0x52));
        }
        QCOMPARE(b.violations().join("; "), QString());
    });
}

void TestBitBang::variantChangeMovesOneLineAtATime()
{
    test::failOnComponentError([&] {
        // The lines are both released under one variant; under the other the
        // same data bits pull both low. Getting from one to the other must not
        // move both lines in one write, which a slave could take as a start.
        Board b;
        BitBangSmbus &m = *b.master;
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        const uint8_t idle = b.port().dataRegister() & (wiring::SclBit | wiring::SdaBit);
        QCOMPARE(idle, uint8_t(wiring::SclBit | wiring::SdaBit));
        for (bool variant : {false, true, false}) {
            m.setVariant(variant);
            const long writesBefore = b.port().counts().dataWrites;
            m.stop();   // no transfer under way: only lets the lines go
            QCOMPARE(b.port().counts().dataWrites - writesBefore, 2L);
            QCOMPARE(b.port().dataRegister() & (wiring::SclBit | wiring::SdaBit), variant ? 0x03 : 0x00);
        }
        QCOMPARE(b.violations().filter("same step").join("; "), QString());
        // The board (non-inverting) answers again once the variant is right.
        m.setVariant(true);
        QCOMPARE(m.readByteData(0x98, 0xFF), uint8_t(0x01));
        QCOMPARE(b.violations().filter("same step").join("; "), QString());
    });
}

void TestBitBang::clearAlertSequenceOnTheWire()
{
    test::failOnComponentError([&] {
        Board b;
        BitBangSmbus &m = *b.master;
        m.writeByteData(0x98, 0x0D, 45);   // remote high limit below the remote 50
        b.clock->advance(4.1);
        b.port().wire().clearViolations();

        m.start();
        m.sendByte(0x19);
        QVERIFY(m.receiveAck());
        QCOMPARE(m.receiveByte(), uint8_t(0x98));
        m.sendNoAck();
        m.stop();
        QVERIFY(b.busReleased());

        m.start();
        m.sendByte(0x19);
        QVERIFY(!m.receiveAck());   // ALERT released: nobody answers
        m.stop();
        QCOMPARE(b.violations().join("; "), QString());
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::missingAcknowledgeReleasesBus()
{
    test::failOnComponentError([&] {
        PortSetup setup;
        ChipSetup refusing = steadyChipAt(0x4C);
        refusing.failingWrite = true;
        setup.chips.push_back(refusing);
        Board b(setup);
        BitBangSmbus &m = *b.master;

        try {
            m.readByteData(0x9A, 0xFE);   // nobody at 4Dh
            QFAIL("a read from an empty address succeeded");
        } catch (const NoAcknowledge &e) {
            QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Dh"));
        }
        QVERIFY(b.busReleased());
        QCOMPARE(b.conditions(), QString("SP"));

        try {
            m.writeByteData(0x98, 0x0B, 70);   // the chip refuses the data byte
            QFAIL("a refused write succeeded");
        } catch (const NoAcknowledge &e) {
            QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Ch"));
        }
        QVERIFY(b.busReleased());
        QCOMPARE(b.conditions(), QString("SPSP"));
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QCOMPARE(b.violations().join("; "), QString());
    });
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
    test::failOnComponentError([&] {
        QFETCH(int, parameter);
        QFETCH(bool, clean);
        Board b;
        BitBangSmbus &m = *b.master;
        m.setBusParameter(parameter);
        QCOMPARE(m.halfPeriodNs(), int64_t(parameter) * 25);
        const int64_t before = b.port().busTimeNs();
        m.writeByteData(0x98, 0x0B, 77);
        QCOMPARE(m.readByteData(0x98, 0x05), uint8_t(77));   // the slave keeps up either way
        const QStringList v = b.violations();
        if (clean) {
            QCOMPARE(v.join("; "), QString());
        } else {
            QVERIFY(!v.filter("clock low").isEmpty());
            QVERIFY(!v.filter("clock high").isEmpty());
        }
        // A write and a read are 29 and 38 clock periods, plus starts, stops
        // and port accesses.
        const int64_t half = int64_t(parameter) * 25;
        QVERIFY(b.port().busTimeNs() - before > 2 * (29 + 38) * half);
    });
}

void TestBitBang::invalidBusParameter()
{
    test::failOnComponentError([&] {
        Board b;
        BitBangSmbus &m = *b.master;
        for (int bad : {0, -240}) {
            try {
                m.setBusParameter(bad);
                QFAIL("a bus parameter that sets no clock was taken");
            } catch (const BusError &e) {
                QCOMPARE(QString(e.what()), QString("Invalid bus parameter %1").arg(bad));
            }
        }
        QCOMPARE(m.halfPeriodNs(), int64_t(6000));
        m.setBusParameter(1);
        QCOMPARE(m.halfPeriodNs(), int64_t(25));
    });
}

void TestBitBang::stuckDataLineTimesOut()
{
    test::failOnComponentError([&] {
        PortSetup setup;
        setup.stuckSda = true;
        Board b(setup);
        BitBangSmbus &m = *b.master;
        const int64_t before = b.port().busTimeNs();
        try {
            m.readByteData(0x98, 0xFE);
            QFAIL("a read on a stuck bus succeeded");
        } catch (const NoAcknowledge &) {
            QFAIL("a stuck bus reported as a missing acknowledge");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("The SMBus on printer port 378h is busy: SDA is held low"));
        }
        const int64_t took = b.port().busTimeNs() - before;
        QVERIFY2(took >= 35'000'000 && took < 36'000'000, qPrintable(QString::number(took)));
        // Nine clocks to free a slave left inside a byte, then waiting only.
        QCOMPARE(b.port().counts().dataWrites, 2L * 9);
        QVERIFY(b.port().wire().scl());   // the clock is let go
    });
}

void TestBitBang::slaveLeftInsideAByteIsClockedFree()
{
    test::failOnComponentError([&] {
        // A program ended in the middle of a read: the chip is sending the local
        // temperature (19h, first bit 0) and holds SDA low. A new master must
        // clock it free and end its transfer with a stop before its own start.
        Board b;
        {
            BitBangSmbus gone(b.port());
            gone.start();
            gone.sendByte(0x99);
            QVERIFY(gone.receiveAck());
        }
        QVERIFY(!b.port().wire().sda());
        QCOMPARE(b.conditions(), QString("S"));
        const int64_t before = b.port().busTimeNs();
        QCOMPARE(b.master->readByteData(0x98, 0xFE), uint8_t(0x5C));
        QVERIFY2(b.port().busTimeNs() - before < 1'000'000, "the master waited instead of clocking the slave free");
        QCOMPARE(b.conditions(), QString("SPSSP"));
        QCOMPARE(b.violations().join("; "), QString());
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::interruptedTransferEndsWithAStop()
{
    test::failOnComponentError([&] {
        // Both lines pulled low by a raw write while the chip waits for the
        // register byte. The next transfer lets the clock go first, so that
        // letting SDA go is a stop that ends the chip's transfer.
        Board b;
        BitBangSmbus &m = *b.master;
        m.start();
        m.sendByte(0x98);
        QVERIFY(m.receiveAck());
        m.writeData(0x00);
        QCOMPARE(m.readByteData(0x98, 0xFF), uint8_t(0x01));
        QCOMPARE(b.conditions(), QString("SPSSP"));
        QCOMPARE(b.violations().join("; "), QString());
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::unpluggedBoardStopsAnswering()
{
    test::failOnComponentError([&] {
        PortSetup setup;
        setup.unplugAfterTransfers = 2;
        Board b(setup);
        BitBangSmbus &m = *b.master;
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QCOMPARE(m.readByteData(0x98, 0xFF), uint8_t(0x01));
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, m.readByteData(0x98, 0xFE));
        QVERIFY(b.busReleased());
    });
}

void TestBitBang::rawPortWriteKeepsMasterInStep()
{
    test::failOnComponentError([&] {
        // Quit writes 0 to the data lines, pulling both low; a later transfer
        // must still begin from a clean idle bus.
        Board b;
        BitBangSmbus &m = *b.master;
        m.writeData(0x54);
        QCOMPARE(b.port().dataRegister(), uint8_t(0x54));
        QVERIFY(!b.port().wire().scl());
        b.port().wire().clearViolations();   // the raw write moved both lines at once
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QVERIFY(b.busReleased());
        // The bits the master does not use stay as they were written.
        QCOMPARE(b.port().dataRegister(), uint8_t(0x57));
        QCOMPARE(b.violations().join("; "), QString());
    });
}

void TestBitBang::waveformTrace()
{
    test::failOnComponentError([&] {
        QTemporaryDir dir;
        const QString path = dir.filePath("bus.vcd");
        const auto contents = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
        };
        QString whileOpen;
        {
            Board b(PortSetup{}, true, path.toStdString());
            QCOMPARE(b.master->readByteData(0x98, 0xFE), uint8_t(0x5C));
            whileOpen = contents();   // a transfer ended: the trace is out already
        }
        const QString vcd = contents();
        QCOMPARE(whileOpen, vcd);
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
        // The last change is the stop (SDA rising while SCL is high), and a
        // timestamp after it closes the file, so that a decoder sees the stop.
        int64_t lastStamp = 0;
        const QList<VcdChange> changes = vcdChanges(vcd, &lastStamp);
        QVERIFY(changes.size() > 40);
        QCOMPARE(changes.last().line, 'D');
        QVERIFY(changes.last().level);
        QVERIFY(lastStamp > changes.last().time);
        QVERIFY(lastStamp > 38 * 2 * 6000);
    });
}

void TestBitBang::traceDecodesAsTheTransfers()
{
    test::failOnComponentError([&] {
        QTemporaryDir dir;
        const QString path = dir.filePath("decode.vcd");
        {
            Board b(PortSetup{}, true, path.toStdString());
            b.master->writeByteData(0x98, 0x0B, 0x55);
            QCOMPARE(b.master->readByteData(0x98, 0xFE), uint8_t(0x5C));
            QVERIFY_THROWS_EXCEPTION(NoAcknowledge, b.master->readByteData(0x9A, 0xFE));
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        int64_t lastStamp = 0;
        const QList<VcdChange> changes = vcdChanges(QString::fromLatin1(f.readAll()), &lastStamp);
        QCOMPARE(decodeI2c(changes, true, true), QString("S 98 A 0B A 55 A P "
                                                         "S 98 A FE A S 99 A 5C N P "
                                                         "S 9A N P"));
    });
}

void TestBitBang::boardHoldsDataAfterClockFalls()
{
    test::failOnComponentError([&] {
        QTemporaryDir dir;
        const QString path = dir.filePath("hold.vcd");
        {
            Board b(PortSetup{}, true, path.toStdString());
            b.master->writeByteData(0x98, 0x0B, 0x5A);
            QCOMPARE(b.master->readByteData(0x98, 0x05), uint8_t(0x5A));
            QCOMPARE(b.violations().join("; "), QString());
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        int64_t lastStamp = 0;
        const QList<VcdChange> changes = vcdChanges(QString::fromLatin1(f.readAll()), &lastStamp);
        // Every change of SDA while SCL is low comes at least the SMBus data
        // hold time (300 ns) after SCL fell; the board's own come exactly then,
        // the master's one port access later.
        bool clock = true;
        int64_t fell = -1;
        int64_t shortest = INT64_MAX;
        int boardChanges = 0;
        for (const VcdChange &c : changes) {
            if (c.line == 'C') {
                clock = c.level;
                if (!c.level)
                    fell = c.time;
            } else if (!clock && fell >= 0) {
                shortest = qMin(shortest, c.time - fell);
                boardChanges += c.time - fell == 300;
            }
        }
        QCOMPARE(shortest, int64_t(300));
        // Acknowledges of three bytes and the data byte's changes.
        QVERIFY2(boardChanges >= 6, qPrintable(QString::number(boardChanges)));
    });
}

void TestBitBang::transfersCostTheLeastPortAccesses()
{
    // Counted by hand from the waveform: one data write per line change,
    // never two lines in one write, one status read per sampled bit, and one
    // more to see that the bus is free before a start.
    test::failOnComponentError([&] {
        Board b;
        BitBangSmbus &m = *b.master;
        QCOMPARE(m.readByteData(0x98, 0xFF), uint8_t(0x01));   // the master learns the data register
        QCOMPARE(b.port().counts().dataReads, 1L);

        b.port().resetCounts();
        QCOMPARE(m.readByteData(0x98, 0xFE), uint8_t(0x5C));
        QCOMPARE(b.port().counts().dataWrites, 92L);
        QCOMPARE(b.port().counts().statusReads, 12L);
        QCOMPARE(b.port().counts().total(), 104L);

        b.port().resetCounts();
        m.writeByteData(0x98, 0x0B, 0x55);
        QCOMPARE(b.port().counts().dataWrites, 76L);
        QCOMPARE(b.port().counts().statusReads, 4L);
        QCOMPARE(b.port().counts().total(), 80L);
        QCOMPARE(b.violations().join("; "), QString());
    });
}

QTEST_GUILESS_MAIN(TestBitBang)
#include "tst_bitbang.moc"
