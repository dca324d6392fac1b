#include "component/buserror.h"
#include "link/linknewcomport.h"
#include "link/runtimeerror.h"
#include "tests/support/boards.h"
#include "tests/support/simboard.h"

#include <QtTest>

using namespace ort;

class TestLink : public QObject {
    Q_OBJECT
private slots:
    void printerRouteSendsPortBaseThenOneTransfer();
    void otherMediaUseTheSmbusHost_data();
    void otherMediaUseTheSmbusHost();
    void overflowWritesNothing_data();
    void overflowWritesNothing();
    void failedReadKeepsReadValue();
    void anyLimitFlagSet_data();
    void anyLimitFlagSet();
    void negativeMagnitude_data();
    void negativeMagnitude();
    void refreshEditorValue();
    void valueApiLeavesTheSharedVariables();
};

void TestLink::printerRouteSendsPortBaseThenOneTransfer()
{
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = 1;
    d.PrinterPortBase = 0x378;
    d.DeviceAddress = 0x98;
    d.RegisterPointer = 0xFE;
    link.ReadRegister();
    QCOMPARE(d.ReadValue, int16_t(0x5C));
    d.RegisterPointer = 0x0B;
    d.WriteValue = 90;
    d.ReadValue = 7;
    link.WriteRegister();
    QCOMPARE(d.ReadValue, int16_t(7));      // a write leaves ReadValue alone
    QCOMPARE(board.calls(), QStringList({"PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,254)",
                                         "PrinterPortLink.SetPortBase(888)",
                                         "PrinterPortLink.WriteRegister(152,11,90)"}));
    QCOMPARE(board.backend->port(0).bus().chipAt(0x4C)->peek(0x05), uint8_t(90));
}

void TestLink::otherMediaUseTheSmbusHost_data()
{
    QTest::addColumn<int>("medium");
    QTest::newRow("0") << 0;
    QTest::newRow("2") << 2;
    QTest::newRow("-1") << -1;
}

void TestLink::otherMediaUseTheSmbusHost()
{
    QFETCH(int, medium);
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = int16_t(medium);
    d.PrinterPortBase = 0x378;
    d.DeviceAddress = 0x18;
    d.RegisterPointer = 0x0B;
    d.WriteValue = 0xF6;
    link.WriteRegister();
    d.RegisterPointer = 0x05;
    link.ReadRegister();
    QCOMPARE(d.ReadValue, int16_t(0xF6));
    QCOMPARE(board.calls(), QStringList({"SmbusHost.WriteRegister(24,11,246)", "SmbusHost.ReadRegister(24,5)"}));
}

void TestLink::overflowWritesNothing_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pointer");
    QTest::newRow("printer 256") << 1 << 256 << 11;
    QTest::newRow("smbus 256") << 0 << 256 << 11;
    QTest::newRow("smbus -1") << 0 << -1 << 11;
    QTest::newRow("printer register 300") << 1 << 5 << 300;
    QTest::newRow("value api smbus 256") << 0 << 256 << -1;
}

void TestLink::overflowWritesNothing()
{
    QFETCH(int, medium);
    QFETCH(int, value);
    QFETCH(int, pointer);
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = int16_t(medium);
    d.PrinterPortBase = 0x378;
    d.DeviceAddress = medium == 1 ? 0x98 : 0x18;
    d.RegisterPointer = int16_t(pointer);
    d.WriteValue = value;
    try {
        if (pointer < 0)
            link.write(0x0B, value);
        else
            link.WriteRegister();
        QFAIL("no overflow raised");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number(), 6);
        QCOMPARE(QString(e.what()), QString("Overflow"));
    }
    QVERIFY(board.calls().isEmpty());
}

void TestLink::failedReadKeepsReadValue()
{
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = 0;
    d.DeviceAddress = 0x4D;      // nobody there
    d.ReadValue = 42;
    QVERIFY_THROWS_EXCEPTION(NoAcknowledge, link.ReadRegister());
    QCOMPARE(d.ReadValue, int16_t(42));
    const RunTimeError shown = RunTimeError::from(std::make_exception_ptr(BusError("No acknowledge from device at 4Dh")));
    QCOMPARE(shown.number(), RunTimeError::DeviceIo);
    QCOMPARE(QString(shown.what()), QString("No acknowledge from device at 4Dh"));
}

void TestLink::anyLimitFlagSet_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("expected");
    QTest::newRow("busy and open diode only") << 0x84 << 0;
    QTest::newRow("remote low") << 0x08 << 1;
    QTest::newRow("local high") << 0x40 << 1;
    QTest::newRow("reserved bits") << 0x83 << 0;
    QTest::newRow("all") << 0xFF << 1;
}

void TestLink::anyLimitFlagSet()
{
    QFETCH(int, status);
    QFETCH(int, expected);
    // A chip whose status register reads the chosen byte.
    sim::Scenario s = test::boardWith({});
    s.smbus.chips.push_back(test::chipAt(0x18));
    s.smbus.chips.back().fixedReads[2] = uint8_t(status);
    test::SimBoard board(s);
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = 0;
    d.DeviceAddress = 0x18;
    d.RegisterPointer = 9;
    QCOMPARE(link.AnyLimitFlagSet(), expected);
    QCOMPARE(d.RegisterPointer, int16_t(2));
    QCOMPARE(d.ReadValue, int16_t(status));
}

void TestLink::negativeMagnitude_data()
{
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("0xFF decodes to 1") << (0xFF & 0x7F) << 1;
    QTest::newRow("0xFE decodes to 2") << (0xFE & 0x7F) << 2;
    QTest::newRow("0x80 decodes to 128") << (0x80 & 0x7F) << 128;
    QTest::newRow("0xC9 decodes to 55") << (0xC9 & 0x7F) << 55;
    QTest::newRow("magnitude 2 encodes to 126") << 2 << 126;
    QTest::newRow("high bits ignored") << 0x1FE << 2;
}

void TestLink::negativeMagnitude()
{
    QFETCH(int, in);
    QFETCH(int, out);
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.ReadValue = int16_t(in);
    link.NegativeMagnitude();
    QCOMPARE(int(d.ReadValue), out);
    if (in == 2)
        QCOMPARE(d.ReadValue | 0x80, 0xFE);
}

void TestLink::refreshEditorValue()
{
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.BusMedium = 0;
    d.DeviceAddress = 0x18;
    d.EditorRegister = 6;
    link.RefreshEditorValue();
    QCOMPARE(d.RegisterPointer, int16_t(6));
    QCOMPARE(d.EditorWorkingValue, int16_t(0xC9));
    QCOMPARE(d.WriteValue, 0xC9);
}

void TestLink::valueApiLeavesTheSharedVariables()
{
    test::SimBoard board;
    Declare d;
    LinkNewComPort link(d, board.server());
    d.DeviceAddress = 0x18;
    link.write(0x0B, 0x5A);
    QCOMPARE(d.RegisterPointer, int16_t(0x0B));
    QCOMPARE(d.WriteValue, 0x5A);
    QCOMPARE(link.read(0x05), uint8_t(0x5A));
    QCOMPARE(d.RegisterPointer, int16_t(0x05));
    QCOMPARE(d.ReadValue, int16_t(0x5A));
    QCOMPARE(board.calls(), QStringList({"SmbusHost.WriteRegister(24,11,90)", "SmbusHost.ReadRegister(24,5)"}));
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
