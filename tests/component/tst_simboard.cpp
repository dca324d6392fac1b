#include "component/buserror.h"
#include "component/sim/simbus.h"
#include "component/sim/simchip.h"
#include "tests/support/testsupport.h"

#include <QtTest>

using namespace ort;
using namespace ort::sim;

namespace {

ChipSetup fixedChip(double local, double remote, uint8_t address7 = 0x4C)
{
    ChipSetup c;
    c.address7 = address7;
    c.local = constantTemperature(local);
    c.remote = constantTemperature(remote);
    c.noise = 0;
    return c;
}

struct Chip {
    explicit Chip(ChipSetup setup) : chip(setup, clock, 1) {}
    uint8_t reg(uint8_t r) { chip.setPointer(r); return chip.read(); }
    void set(uint8_t r, uint8_t v) { chip.setPointer(r); QVERIFY(chip.write(v)); }
    ManualClock clock;
    SimChip chip;
};

} // namespace

class TestSimBoard : public QObject {
    Q_OBJECT
private slots:
    void registersAtPowerOn();
    void conversionRates_data();
    void conversionRates();
    void standbyAndOneShot();
    void flagsLatchAndClearOnStatusRead();
    void alertResponseAndMask();
    void openRemoteDiode();
    void faults();
    void routesAndVariants();
    void alertResponseOverBothRoutes();
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
    } catch (const BusError &e) {
        QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Dh"));
    }
}

void TestSimBoard::routesAndVariants()
{
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
}

void TestSimBoard::alertResponseOverBothRoutes()
{
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
}

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
