#include "component/buserror.h"
#include "component/options.h"
#include "component/sim/simbus.h"
#include "component/sim/simchip.h"
#include "tests/support/boards.h"
#include "tests/support/simboard.h"

#include <QtTest>

using namespace ort;
using namespace ort::sim;

namespace {

ChipSetup fixedChip(double local, double remote, uint8_t address7 = 0x4C)
{
    return test::steadyChipAt(address7, local, remote);
}

struct Chip {
    explicit Chip(ChipSetup setup) : chip(setup, clock, 1) {}
    uint8_t reg(uint8_t r) { chip.setPointer(r); return chip.read(); }
    void set(uint8_t r, uint8_t v) { chip.setPointer(r); QVERIFY(chip.write(v)); }
    ManualClock clock;
    SimChip chip;
};

// Everything a program can see of a chip without changing it.
QList<int> visibleState(SimChip &chip)
{
    QList<int> out;
    for (uint8_t r : {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08})
        out << chip.peek(r);
    out << chip.alertAsserted() << chip.conversions();
    return out;
}

} // namespace

class TestSimBoard : public QObject {
    Q_OBJECT
private slots:
    void registersAtPowerOn();
    void conversionRates_data();
    void conversionRates();
    void standbyAndOneShot();
    void flagsLatchAndClearOnStatusRead();
    void limitComparisons_data();
    void limitComparisons();
    void longPauseEqualsManyShortOnes();
    void fixedReads();
    void alertResponseAndMask();
    void openRemoteDiode();
    void faults();
    void routesAndVariants();
    void alertResponseOverBothRoutes();
    void boardThatFollowsEitherVariant();
    void busParameterRefusedKeepsTheOldOne();
    void systemInfoReportsProblems();
    void transcriptFormatsOnlyWhenOn();
    void defaultBoardAndBackendNames();
    void optionsFromTheEnvironment();
};

void TestSimBoard::registersAtPowerOn()
{
    Chip c(fixedChip(25, -3));
    QCOMPARE(c.reg(0x00), uint8_t(25));
    QCOMPARE(c.reg(0x01), uint8_t(0xFD));
    QCOMPARE(c.reg(0x02), uint8_t(0x00));
    QCOMPARE(c.reg(0x03), uint8_t(0x00));
    QCOMPARE(c.reg(0x04), uint8_t(0x02));
    QCOMPARE(c.reg(0x05), uint8_t(0x7F));
    QCOMPARE(c.reg(0x06), uint8_t(0xC9));
    QCOMPARE(c.reg(0x07), uint8_t(0x7F));
    QCOMPARE(c.reg(0x08), uint8_t(0xC9));
    QCOMPARE(c.reg(0xFE), uint8_t(0x5C));
    QCOMPARE(c.reg(0xFF), uint8_t(0x01));
    QCOMPARE(c.reg(0x42), uint8_t(0x00));
    // Writes go to the write addresses and are read back at the read ones;
    // a write to a read-only address is acknowledged and changes nothing.
    c.set(0x0B, 90);
    c.set(0x0E, 0xF6);
    c.set(0x00, 99);
    QCOMPARE(c.reg(0x05), uint8_t(90));
    QCOMPARE(c.reg(0x08), uint8_t(0xF6));
    QCOMPARE(c.reg(0x00), uint8_t(25));
}

void TestSimBoard::conversionRates_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("perMinute");
    QTest::newRow("0: 0.0625/s") << 0 << 3;
    QTest::newRow("2: 0.25/s") << 2 << 15;
    QTest::newRow("4: 1/s") << 4 << 60;
    QTest::newRow("7: 8/s") << 7 << 480;
    QTest::newRow("9 acts as 7") << 9 << 480;
}

void TestSimBoard::conversionRates()
{
    QFETCH(int, code);
    QFETCH(int, perMinute);
    Chip c(fixedChip(25, 40));
    c.set(0x0A, uint8_t(code));
    const int before = c.chip.conversions();
    c.clock.advance(60.0);
    c.reg(0x00);
    const int done = c.chip.conversions() - before;
    QVERIFY2(qAbs(done - perMinute) <= 1, qPrintable(QString::number(done)));
}

void TestSimBoard::standbyAndOneShot()
{
    Chip c(fixedChip(25, 40));
    c.set(0x09, 0x40);
    c.clock.advance(1.0);
    const int before = c.chip.conversions();
    c.clock.advance(100.0);
    c.reg(0x00);
    QCOMPARE(c.chip.conversions(), before);

    // One-shot: busy for 1/16 s, then one conversion and no more.
    c.set(0x0F, 0xFF);
    QCOMPARE(c.reg(0x02) & 0x80, 0x80);
    c.clock.advance(0.07);
    QCOMPARE(c.reg(0x02) & 0x80, 0x00);
    QCOMPARE(c.chip.conversions(), before + 1);
    c.clock.advance(30.0);
    c.reg(0x00);
    QCOMPARE(c.chip.conversions(), before + 1);

    // Leaving standby converts again at the set rate.
    c.set(0x09, 0x00);
    c.clock.advance(10.0);
    c.reg(0x00);
    QVERIFY(c.chip.conversions() >= before + 3);
}

void TestSimBoard::flagsLatchAndClearOnStatusRead()
{
    Chip c(fixedChip(25, 50));
    c.set(0x0D, 45);            // remote high below the remote temperature
    c.set(0x0C, 30);            // local low above the local temperature
    c.clock.advance(4.1);       // one conversion at the power-on rate
    QCOMPARE(c.reg(0x02) & 0x7F, 0x10 | 0x20);
    QCOMPARE(c.reg(0x02) & 0x7F, 0x00);   // cleared by the read
    c.set(0x0D, 0x7F);
    c.set(0x0C, 0xC9);
    c.clock.advance(4.1);
    QCOMPARE(c.reg(0x02) & 0x7F, 0x00);   // condition gone: nothing comes back

    // Comparisons are signed: -3 is below a low limit of -2 (0xFE).
    Chip n(fixedChip(-3, -3));
    n.set(0x0C, 0xFE);
    n.clock.advance(4.1);
    QCOMPARE(n.reg(0x02) & 0x7F, 0x20);
}

void TestSimBoard::limitComparisons_data()
{
    QTest::addColumn<double>("local");
    QTest::addColumn<double>("remote");
    QTest::addColumn<int>("flags");
    // Limits: local 40 / -10, remote 90 / 20.
    QTest::newRow("all inside") << 25.0 << 50.0 << 0x00;
    QTest::newRow("local at its high limit") << 40.0 << 50.0 << 0x00;
    QTest::newRow("local one above") << 41.0 << 50.0 << 0x40;
    QTest::newRow("local at its low limit") << -10.0 << 50.0 << 0x00;
    QTest::newRow("local one below") << -11.0 << 50.0 << 0x20;
    QTest::newRow("remote at its high limit") << 25.0 << 90.0 << 0x00;
    QTest::newRow("remote one above") << 25.0 << 91.0 << 0x10;
    QTest::newRow("remote at its low limit") << 25.0 << 20.0 << 0x00;
    QTest::newRow("remote one below") << 25.0 << 19.0 << 0x08;
    QTest::newRow("both out") << 41.0 << 19.0 << 0x48;
}

void TestSimBoard::limitComparisons()
{
    QFETCH(double, local);
    QFETCH(double, remote);
    QFETCH(int, flags);
    Chip c(fixedChip(local, remote));
    c.set(0x0B, 40);
    c.set(0x0C, 0xF6);   // -10
    c.set(0x0D, 90);
    c.set(0x0E, 20);
    c.reg(0x02);         // clears what the power-on reading left
    c.clock.advance(4.1);
    QCOMPARE(c.reg(0x02) & 0x7F, flags);
    QCOMPARE(c.chip.alertAsserted(), false);   // the status read released it
}

void TestSimBoard::longPauseEqualsManyShortOnes()
{
    // An hour at 8 conversions a second, with noise and a remote diode that
    // crosses the high limit and falls back long before the end: one long
    // pause must leave the chip as an hour of short steps does.
    ChipSetup setup;
    ManualClock longClock, shortClock;
    SimChip once(setup, longClock, 7), often(setup, shortClock, 7);
    for (SimChip *chip : {&once, &often}) {
        chip->setPointer(0x0A);
        chip->write(0x07);
        chip->setPointer(0x0D);
        chip->write(90);
        chip->setPointer(0x02);
        chip->read();
    }
    longClock.advance(3600.09);
    for (int i = 0; i < 36000; ++i) {
        shortClock.advance(0.1);
        often.peek(0x00);
    }
    shortClock.advance(0.09);
    QCOMPARE(visibleState(once), visibleState(often));
    QCOMPARE(once.conversions(), 8 * 3600);
    QCOMPARE(once.peek(0x02) & 0x10, 0x10);   // the crossing was latched
    QVERIFY(once.peek(0x01) < 90);            // though the diode is cool again
    // In step in the middle of the next conversion too.
    longClock.advance(0.05);
    shortClock.advance(0.05);
    QCOMPARE(once.peek(0x02) & 0x80, 0x80);
    QCOMPARE(visibleState(once), visibleState(often));
}

void TestSimBoard::fixedReads()
{
    ChipSetup setup = fixedChip(25, 50);
    setup.fixedReads = {{0x02, 0x83}, {0xFF, 0x02}};
    Chip c(setup);
    c.set(0x0D, 45);
    c.clock.advance(4.1);
    QCOMPARE(c.reg(0x02), uint8_t(0x83));
    QCOMPARE(c.reg(0x02), uint8_t(0x83));   // a read clears nothing it shows
    QCOMPARE(c.reg(0xFF), uint8_t(0x02));
    QCOMPARE(c.reg(0x07), uint8_t(45));     // the others work as ever
    QCOMPARE(c.reg(0x01), uint8_t(50));
}

void TestSimBoard::alertResponseAndMask()
{
    Chip c(fixedChip(25, 50));
    QVERIFY(!c.chip.alertAsserted());
    QVERIFY(!c.chip.respondToAlert());
    c.set(0x0D, 45);
    c.clock.advance(4.1);
    QVERIFY(c.chip.alertAsserted());
    QCOMPARE(c.chip.respondToAlert().value_or(0), uint8_t(0x98));
    QVERIFY(!c.chip.alertAsserted());      // released until the next flagging conversion
    QVERIFY(!c.chip.respondToAlert());
    c.clock.advance(4.0);
    QVERIFY(c.chip.alertAsserted());

    c.set(0x09, 0x80);                      // masked: flags stay, ALERT does not
    QVERIFY(!c.chip.alertAsserted());
    QVERIFY(!c.chip.respondToAlert());
    QCOMPARE(c.reg(0x02) & 0x10, 0x10);
}

void TestSimBoard::openRemoteDiode()
{
    ChipSetup setup = fixedChip(25, 40);
    setup.openRemoteDiode = true;
    Chip c(setup);
    c.clock.advance(4.1);
    QCOMPARE(c.reg(0x01), uint8_t(0x7F));
    QCOMPARE(c.reg(0x02) & 0x7C, 0x04);
}

void TestSimBoard::faults()
{
    test::failOnComponentError([&] {
        ManualClock clock;
        ChipSetup unplugging = fixedChip(25, 40);
        unplugging.nackAfterTransfers = 2;
        ChipSetup refusing = fixedChip(25, 40, 0x18);
        refusing.failingWrite = true;
        SimBus bus({unplugging, refusing}, clock, 1);

        QCOMPARE(bus.readByteData(0x4C, 0xFE), uint8_t(0x5C));
        bus.writeByteData(0x4C, 0x0B, 50);
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, bus.readByteData(0x4C, 0xFE));
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, bus.readByteData(0x4D, 0xFE));   // nobody there
        QCOMPARE(bus.readByteData(0x18, 0xFE), uint8_t(0x5C));
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, bus.writeByteData(0x18, 0x0B, 50));
        QCOMPARE(bus.readByteData(0x18, 0x05), uint8_t(0x7F));
        try {
            bus.readByteData(0x4D, 0);
            QFAIL("a read from an empty address succeeded");
        } catch (const NoAcknowledge &e) {
            QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Dh"));
        }
    });
}

void TestSimBoard::routesAndVariants()
{
    test::failOnComponentError([&] {
        sim::Scenario s;
        sim::PortSetup inverting;
        inverting.base = 0x278;
        inverting.boardVariant = false;
        inverting.chips.push_back(fixedChip(25, 40, 0x2A));
        s.ports.push_back(sim::PortSetup{});
        s.ports.back().chips.push_back(fixedChip(25, 40));
        s.ports.push_back(inverting);
        s.smbus.present = false;
        test::SimBoard board(s);
        BusAccessServer &bus = board.server();

        PrinterPortLink &link = bus.PrinterPort().Link();
        QCOMPARE(int(bus.PrinterPort().PortCount()), 2);
        bus.PrinterPort().SelectPort(1);
        QCOMPARE(int(bus.PrinterPort().PortAddress()), 0x278);
        QCOMPARE(int(link.PortBase()), 0x278);
        link.SetLinkVariant(true);
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, link.ReadRegister(0x54, 0xFE));
        link.SetLinkVariant(false);
        QCOMPARE(link.ReadRegister(0x54, 0xFE), uint8_t(0x5C));

        link.SetPortBase(0x3BC);
        QVERIFY_THROWS_EXCEPTION(BusError, link.ReadRegister(0x98, 0xFE));
        QVERIFY_THROWS_EXCEPTION(BusError, bus.Smbus().ReadRegister(0x18, 0xFE));
        QCOMPARE(bus.Smbus().HostBaseAddress(), 0u);

        link.WritePort(0x378, 0);
        bus.PrinterPort().OutputLatch().SetValue(0);
        QCOMPARE(board.backend->port(0).dataRegister(), uint8_t(0));
        QCOMPARE(board.backend->port(1).controlRegister(), uint8_t(0));   // the selected port's latch
        QCOMPARE(board.backend->port(0).controlRegister(), uint8_t(0xFF));
        QVERIFY(board.calls().contains("PrinterPortLink.WritePort(888,0)"));
        QVERIFY(board.calls().contains("OutputLatch.SetValue(0)"));
    });
}

void TestSimBoard::alertResponseOverBothRoutes()
{
    test::failOnComponentError([&] {
        sim::Scenario s;
        s.ports.push_back(sim::PortSetup{});
        s.ports.back().chips.push_back(fixedChip(25, 50));
        s.smbus.chips.push_back(fixedChip(25, 50, 0x18));
        test::SimBoard board(s);
        BusAccessServer &bus = board.server();
        bus.PrinterPort().SelectPort(0);
        PrinterPortLink &link = bus.PrinterPort().Link();
        link.WriteRegister(0x98, 0x0D, 45);
        bus.Smbus().WriteRegister(0x18, 0x0D, 45);
        board.clock->advance(4.1);

        // The raw steps of the clear-alert sequence, answered by the chip.
        link.Start();
        link.SendByte(0x19);
        QVERIFY(link.ReceiveAck());
        QCOMPARE(link.ReceiveByte(), uint8_t(0x98));
        link.SendNoAck();
        link.Stop();
        link.Start();
        link.SendByte(0x19);
        QVERIFY(!link.ReceiveAck());           // released: nobody answers
        link.Stop();

        QCOMPARE(bus.Smbus().ReadRegister(0x0C, 0xFF), uint8_t(0x30));
        QVERIFY_THROWS_EXCEPTION(NoAcknowledge, bus.Smbus().ReadRegister(0x0C, 0xFF));
        // The chip still works normally afterwards.
        QCOMPARE(link.ReadRegister(0x98, 0xFE), uint8_t(0x5C));
    });
}

void TestSimBoard::boardThatFollowsEitherVariant()
{
    test::failOnComponentError([&] {
        sim::Scenario s = test::boardWith({test::portWith(0x378, {fixedChip(25, 50)})});
        s.ports[0].answersEitherVariant = true;
        s.ports.push_back(test::portWith(0x278, {fixedChip(25, 50)}));
        test::SimBoard board(s);
        PrinterPortLink &link = board.server().PrinterPort().Link();
        for (bool variant : {false, true}) {
            link.SetLinkVariant(variant);
            link.SetPortBase(0x378);
            QCOMPARE(link.ReadRegister(0x98, 0xFE), uint8_t(0x5C));
            link.SetPortBase(0x278);   // a board of one polarity beside it
            if (variant)
                QCOMPARE(link.ReadRegister(0x98, 0xFE), uint8_t(0x5C));
            else
                QVERIFY_THROWS_EXCEPTION(NoAcknowledge, link.ReadRegister(0x98, 0xFE));
        }
        QCOMPARE(board.backend->port(0).violations().size(), size_t(0));
    });
}

void TestSimBoard::busParameterRefusedKeepsTheOldOne()
{
    test::failOnComponentError([&] {
        test::SimBoard board(test::boardWith({test::portWith(0x378, {fixedChip(25, 50)})}));
        PrinterPortLink &link = board.server().PrinterPort().Link();
        link.SetPortBase(0x378);
        link.SetBusParameter(240);
        try {
            link.SetBusParameter(0);
            QFAIL("a bus parameter of 0 was taken");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("Invalid bus parameter 0"));
        }
        const int64_t before = board.backend->port(0).busTimeNs();
        QCOMPARE(link.ReadRegister(0x98, 0xFF), uint8_t(0x01));
        // Still 6 us half-periods: a read takes 38 clocks at least.
        QVERIFY(board.backend->port(0).busTimeNs() - before > 38 * 2 * 6000);
        QCOMPARE(board.backend->port(0).violations().size(), size_t(0));
    });
}

void TestSimBoard::systemInfoReportsProblems()
{
    test::failOnComponentError([&] {
        sim::Scenario s = test::boardWith({}, {}, "2195");
        s.smbusProblem = "No permission to open /dev/i2c-0";
        s.portProblems = {"Permission denied to open /dev/parport0", "Permission denied to open /dev/parport1"};
        {
            test::SimBoard board(s);
            std::unique_ptr<SystemInfo> info = board.server().createSystemInfo();
            QCOMPARE(QString::fromStdString(info->BuildNumber()), QString("2195"));
            QCOMPARE(QString::fromStdString(info->smbusProblem()), QString("No permission to open /dev/i2c-0"));
            QCOMPARE(info->portProblems(), s.portProblems);
            QCOMPARE(board.calls(), QStringList({"BusAccessServer.createSystemInfo()", "SystemInfo.BuildNumber()",
                                                 "SystemInfo.smbusProblem()", "SystemInfo.portProblems()"}));
        }

        test::SimBoard plain(test::boardWith({}, {}, "2195"));
        QCOMPARE(QString::fromStdString(plain.server().createSystemInfo()->smbusProblem()), QString());
        QVERIFY(plain.server().createSystemInfo()->portProblems().empty());
    });
}

void TestSimBoard::transcriptFormatsOnlyWhenOn()
{
    Transcript t;
    t.record("PrinterPortLink.ReadRegister", uint8_t(152), uint8_t(254));
    QVERIFY(t.calls().empty());
    t.setEnabled(true);
    t.record("PrinterPortLink.ReadRegister", uint8_t(152), uint8_t(254));
    t.record("PrinterPortLink.SetLinkVariant", false);
    t.record("PrinterPortLink.PortBase");
    t.record("SmbusHost.selectHostBaseAddress", uint32_t(0xEFA0));
    t.record("PrinterPortLink.SetBusParameter", -5);
    QCOMPARE(t.calls(), std::vector<std::string>({"PrinterPortLink.ReadRegister(152,254)",
                                                  "PrinterPortLink.SetLinkVariant(False)", "PrinterPortLink.PortBase()",
                                                  "SmbusHost.selectHostBaseAddress(61344)",
                                                  "PrinterPortLink.SetBusParameter(-5)"}));
    t.clear();
    QVERIFY(t.calls().empty());
}

void TestSimBoard::defaultBoardAndBackendNames()
{
    test::failOnComponentError([&] {
        auto clock = std::make_shared<ManualClock>();
        ComponentOptions simulated;
        simulated.bus = "sim";
        std::unique_ptr<Backend> b = createBackend(simulated, clock);
        QCOMPARE(QString::fromStdString(b->name()), QString("sim"));
        QVERIFY(b->simulated());
        QCOMPARE(b->smbusAdapter(), std::string());
        QCOMPARE(QString::fromStdString(b->buildNumber()), QString("2222"));
        QCOMPARE(b->portCount(), 1);
        QCOMPARE(int(b->port(0).base()), 0x378);
        QCOMPARE(b->smbus().baseAddress(), 0x5000u);
        QCOMPARE(b->smbus().readByteData(0x18, 0xFE), uint8_t(0x5C));
        BusAccessServer server(std::move(b));
        // No port is chosen yet: transfers go nowhere.
        QCOMPARE(int(server.PrinterPort().Link().PortBase()), 0);
        try {
            server.PrinterPort().Link().ReadRegister(0x98, 0xFE);
            QFAIL("a transfer before any port was chosen succeeded");
        } catch (const NoAcknowledge &) {
            QFAIL("a missing port reported as a missing acknowledge");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("No printer port at I/O address 0h"));
        }
        server.PrinterPort().SelectPort(0);
        QCOMPARE(server.PrinterPort().Link().ReadRegister(0x98, 0xFE), uint8_t(0x5C));

        ComponentOptions bogus;
        bogus.bus = "bogus";
        try {
            createBackend(bogus, clock);
            QFAIL("an unknown backend was created");
        } catch (const UnknownBackend &e) {
            QCOMPARE(QString(e.what()), QString("Unknown bus backend \"bogus\" in ORT310_BUS (use auto, sim or linux)"));
        }
        bogus.bus = "Sim";   // names are exact
        QVERIFY_THROWS_EXCEPTION(UnknownBackend, createBackend(bogus, clock));
    });
}

void TestSimBoard::optionsFromTheEnvironment()
{
    const QByteArray saved[3] = {qgetenv("ORT310_BUS"), qgetenv("ORT310_I2C"), qgetenv("ORT310_WIRE_TRACE")};
    qunsetenv("ORT310_BUS");
    qunsetenv("ORT310_I2C");
    qunsetenv("ORT310_WIRE_TRACE");
    const ComponentOptions none = optionsFromEnvironment();
    qputenv("ORT310_BUS", "");
    const ComponentOptions empty = optionsFromEnvironment();
    qputenv("ORT310_BUS", "linux");
    qputenv("ORT310_I2C", "/dev/i2c-3");
    qputenv("ORT310_WIRE_TRACE", "/tmp/bus.vcd");
    const ComponentOptions set = optionsFromEnvironment();
    qputenv("ORT310_BUS", saved[0]);
    qputenv("ORT310_I2C", saved[1]);
    qputenv("ORT310_WIRE_TRACE", saved[2]);

    QCOMPARE(QString::fromStdString(none.bus), QString("auto"));
    QCOMPARE(QString::fromStdString(none.i2cDevice), QString());
    QCOMPARE(QString::fromStdString(none.wireTrace), QString());
    QCOMPARE(QString::fromStdString(empty.bus), QString("auto"));
    QCOMPARE(QString::fromStdString(set.bus), QString("linux"));
    QCOMPARE(QString::fromStdString(set.i2cDevice), QString("/dev/i2c-3"));
    QCOMPARE(QString::fromStdString(set.wireTrace), QString("/tmp/bus.vcd"));
}

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
