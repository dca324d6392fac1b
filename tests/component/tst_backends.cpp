#include "component/busaccess.h"
#include "component/buserror.h"
#include "component/linux/devices.h"
#include "component/linux/sysinfo.h"
#include "component/options.h"
#include "component/sim/simbackend.h"
#include "tests/support/boards.h"

#include <QtTest>

using namespace ort;

// The contract every backend keeps, through the component's front objects as
// the program uses them. The simulated board always runs; the Linux rows run
// where a variable names a device to use:
//   ORT310_TEST_I2C=/dev/i2c-N       an SMBus adapter with a chip at 4Ch whose
//                                    register FEh reads 5Ch (the kernel's
//                                    i2c-stub stores writes: they read back)
//   ORT310_TEST_PARPORT=/dev/parportN  a printer port with the evaluation
//                                    board and a chip at 4Ch
class TestBackends : public QObject {
    Q_OBJECT
private slots:
    void smbusHalf_data();
    void smbusHalf();
    void printerPortHalf_data();
    void printerPortHalf();
    void simulatedFaults();

private:
    std::unique_ptr<BusAccessServer> server(const QString &backend, const QString &i2c = {});
};

namespace {

std::unique_ptr<Backend> simulatedBoard(std::shared_ptr<const Clock> clock)
{
    sim::Scenario s = test::boardWith({test::portAt(0x378, {0x4C})}, {0x4C});
    return std::make_unique<sim::SimBackend>(s, std::move(clock));
}

QString text(const std::string &s) { return QString::fromStdString(s); }

} // namespace

std::unique_ptr<BusAccessServer> TestBackends::server(const QString &backend, const QString &i2c)
{
    auto clock = std::make_shared<ManualClock>();
    if (backend == "sim")
        return std::make_unique<BusAccessServer>(simulatedBoard(clock));
    ComponentOptions options;
    options.bus = backend.toStdString();
    options.i2cDevice = i2c.toStdString();
    return std::make_unique<BusAccessServer>(createBackend(options, clock));
}

void TestBackends::smbusHalf_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("writeRegister");
    QTest::addColumn<int>("readBackRegister");
    // The chip reads back a limit at another address than it is written to;
    // the kernel's stub keeps every register where it was written.
    QTest::newRow("sim") << "sim" << QString() << 0x0B << 0x05;
    QTest::newRow("linux") << "linux" << qEnvironmentVariable("ORT310_TEST_I2C") << 0x0B << 0x0B;
}

void TestBackends::smbusHalf()
{
    QFETCH(QString, backend);
    QFETCH(QString, device);
    QFETCH(int, writeRegister);
    QFETCH(int, readBackRegister);
    if (backend == "linux" && device.isEmpty())
        QSKIP("ORT310_TEST_I2C is not set: name an adapter with a chip at 4Ch (/dev/i2c-N) to check the Linux SMBus host");
    try {
        std::unique_ptr<BusAccessServer> bus = server(backend, device);
        std::unique_ptr<SystemInfo> info = bus->createSystemInfo();
        QCOMPARE(text(info->smbusProblem()), QString());
        QCOMPARE(text(info->BuildNumber()), QString("2222"));   // the SMBus is offered
        SmbusHost &host = bus->Smbus();
        QCOMPARE(host.ReadRegister(0x4C, 0xFE), uint8_t(0x5C));

        // A write reads back, and the old value is put back.
        const uint8_t old = host.ReadRegister(0x4C, uint8_t(readBackRegister));
        host.WriteRegister(0x4C, uint8_t(writeRegister), 0x55);
        QCOMPARE(host.ReadRegister(0x4C, uint8_t(readBackRegister)), uint8_t(0x55));
        host.WriteRegister(0x4C, uint8_t(writeRegister), old);
        QCOMPARE(host.ReadRegister(0x4C, uint8_t(readBackRegister)), old);

        // Nobody at 4Fh: a missing acknowledge of its own kind, for a read
        // and for a write; the chip answers as before afterwards.
        for (int write = 0; write < 2; ++write) {
            try {
                if (write)
                    host.WriteRegister(0x4F, 0x0B, 0x55);
                else
                    host.ReadRegister(0x4F, 0xFE);
                QFAIL("a transfer to an empty address succeeded");
            } catch (const NoAcknowledge &e) {
                QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Fh"));
            }
        }
        QCOMPARE(host.ReadRegister(0x4C, 0xFF), uint8_t(0x01));
    } catch (const std::exception &e) {
        QFAIL(qPrintable("component failure: " + QString(e.what())));
    }
}

void TestBackends::printerPortHalf_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("device");
    QTest::newRow("sim") << "sim" << QString();
    QTest::newRow("linux") << "linux" << qEnvironmentVariable("ORT310_TEST_PARPORT");
}

void TestBackends::printerPortHalf()
{
    QFETCH(QString, backend);
    QFETCH(QString, device);
    if (backend == "linux" && device.isEmpty())
        QSKIP("ORT310_TEST_PARPORT is not set: name a printer port with the board and a chip at 4Ch "
              "(/dev/parportN) to check the Linux printer port");
    try {
        std::unique_ptr<BusAccessServer> bus = server(backend);
        PrinterPortBus &ports = bus->PrinterPort();
        PrinterPortLink &link = ports.Link();

        // The port the variable names, by the base the system shows for it.
        int index = 0;
        if (backend == "linux") {
            const QString number = device.mid(device.lastIndexOf("parport") + 7);
            const auto base = linuxhw::parseParportBase(
                linuxhw::readText(("/proc/sys/dev/parport/parport" + number + "/base-addr").toStdString()));
            QVERIFY2(base, qPrintable(device + " shows no base address"));
            index = -1;
            for (int i = 0; i < ports.PortCount(); ++i) {
                ports.SelectPort(uint8_t(i));
                if (ports.PortAddress() == *base)
                    index = i;
            }
            QStringList problems;
            for (const std::string &p : bus->createSystemInfo()->portProblems())
                problems << text(p);
            QVERIFY2(index >= 0, qPrintable(device + " is not offered: " + problems.join(" ")));
        }
        ports.SelectPort(uint8_t(index));
        QCOMPARE(link.PortBase(), ports.PortAddress());

        // The board answers under one of the two variants.
        bool answered = false;
        for (bool variant : {true, false}) {
            link.SetLinkVariant(variant);
            try {
                answered = link.ReadRegister(0x98, 0xFE) == 0x5C;
            } catch (const NoAcknowledge &) {
            }
            if (answered)
                break;
        }
        QVERIFY2(answered, "no chip answered at 4Ch under either variant");

        const uint8_t old = link.ReadRegister(0x98, 0x05);
        link.WriteRegister(0x98, 0x0B, 0x55);
        QCOMPARE(link.ReadRegister(0x98, 0x05), uint8_t(0x55));
        link.WriteRegister(0x98, 0x0B, old);
        QCOMPARE(link.ReadRegister(0x98, 0x05), old);

        try {
            link.ReadRegister(0x9E, 0xFE);   // 4Fh: nobody there
            QFAIL("a read from an empty address succeeded");
        } catch (const NoAcknowledge &e) {
            QCOMPARE(QString(e.what()), QString("No acknowledge from device at 4Fh"));
        }
        QCOMPARE(link.ReadRegister(0x98, 0xFF), uint8_t(0x01));   // the bus was released

        // The single steps report a missing acknowledge instead of failing.
        link.Start();
        link.SendByte(0x98);
        QVERIFY(link.ReceiveAck());
        link.Stop();
        link.Start();
        link.SendByte(0x9E);
        QVERIFY(!link.ReceiveAck());
        link.Stop();
        QCOMPARE(link.ReadRegister(0x98, 0xFE), uint8_t(0x5C));

        // A port that is not there is a component failure, not "nobody home".
        try {
            ports.SelectPort(ports.PortCount());
            QFAIL("a port beyond the last was selected");
        } catch (const NoAcknowledge &) {
            QFAIL("a missing port reported as a missing acknowledge");
        } catch (const BusError &e) {
            QVERIFY(QString(e.what()).startsWith("There is no printer port "));
        }
        link.SetPortBase(0x0001);
        try {
            link.ReadRegister(0x98, 0xFE);
            QFAIL("a read on a port that does not exist succeeded");
        } catch (const NoAcknowledge &) {
            QFAIL("a missing port reported as a missing acknowledge");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("No printer port at I/O address 1h"));
        }
    } catch (const std::exception &e) {
        QFAIL(qPrintable("component failure: " + QString(e.what())));
    }
}

void TestBackends::simulatedFaults()
{
    try {
        auto clock = std::make_shared<ManualClock>();
        sim::PortSetup stuck = test::portAt(0x378, {0x4C});
        stuck.stuckSda = true;
        sim::Scenario s = test::boardWith({stuck, test::portAt(0x278, {0x4C})});
        s.smbus.present = false;
        BusAccessServer bus(std::make_unique<sim::SimBackend>(s, clock));
        PrinterPortLink &link = bus.PrinterPort().Link();

        // A stuck bus is a failure of its own, not a missing acknowledge, and
        // leaves the other port working.
        link.SetPortBase(0x378);
        try {
            link.ReadRegister(0x98, 0xFE);
            QFAIL("a read on a stuck bus succeeded");
        } catch (const NoAcknowledge &) {
            QFAIL("a stuck bus reported as a missing acknowledge");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("The SMBus on printer port 378h is busy: SDA is held low"));
        }
        link.SetPortBase(0x278);
        QCOMPARE(link.ReadRegister(0x98, 0xFE), uint8_t(0x5C));

        // No SMBus host: every transfer fails with the reason, the base is 0.
        QCOMPARE(bus.Smbus().HostBaseAddress(), 0u);
        try {
            bus.Smbus().ReadRegister(0x4C, 0xFE);
            QFAIL("a read without an SMBus host succeeded");
        } catch (const NoAcknowledge &) {
            QFAIL("a missing host reported as a missing acknowledge");
        } catch (const BusError &e) {
            QCOMPARE(QString(e.what()), QString("No SMBus host controller was found"));
        }

        // Without printer ports, the latch has nothing to drive and nothing fails.
        BusAccessServer bare(std::make_unique<sim::SimBackend>(test::boardWith({}, {0x18}), clock));
        QCOMPARE(int(bare.PrinterPort().PortCount()), 0);
        bare.PrinterPort().OutputLatch().SetValue(0);
        QVERIFY_THROWS_EXCEPTION(BusError, bare.PrinterPort().PortAddress());
        QVERIFY_THROWS_EXCEPTION(BusError, bare.PrinterPort().SelectPort(0));
    } catch (const std::exception &e) {
        QFAIL(qPrintable("component failure: " + QString(e.what())));
    }
}

QTEST_GUILESS_MAIN(TestBackends)
#include "tst_backends.moc"
