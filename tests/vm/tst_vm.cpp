#include "component/busaccess.h"
#include "component/options.h"
#include "component/buserror.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace ort;

// The Linux component against the real kernel, inside the test machine that
// tests/vm/run-vm.sh boots: an i2c-stub adapter with a chip at 4Ch whose
// register FEh holds 5Ch, and one printer port at 378h with nothing attached.
// ORT310_VM says who runs it: "root" may open every device node, "user" none.
// Outside that machine every case is skipped.
class TestVm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void smbusReadsTheStubChip();
    void emptyAddressIsMissingAcknowledge();
    void writeReadsBack_data();
    void writeReadsBack();
    void printerPortSearchFindsNothing();

private:
    bool asRoot() const { return m_role == "root"; }
    BusAccessServer &bus() { return *m_bus; }
    std::unique_ptr<BusAccessServer> m_bus;   // as the program makes it at start
    QString m_role;
    QString m_adapter;   // the stub's node, /dev/i2c-N
};

namespace {

// The text of the failure `call` raises, "" when it raises none. A component
// failure must fail one case, never escape the test program.
template <typename Call>
QString failureOf(Call call, bool *missingAcknowledge = nullptr)
{
    try {
        call();
    } catch (const NoAcknowledge &e) {
        if (missingAcknowledge)
            *missingAcknowledge = true;
        return QString::fromStdString(e.what());
    } catch (const BusError &e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

} // namespace

void TestVm::initTestCase()
{
    m_role = qEnvironmentVariable("ORT310_VM");
    m_adapter = qEnvironmentVariable("ORT310_TEST_I2C");
    if (m_role.isEmpty())
        QSKIP("runs only inside the test machine (ORT310_VM=root or user)");
    QVERIFY2(m_role == "root" || m_role == "user", qPrintable(m_role));
    QVERIFY2(m_adapter.startsWith("/dev/i2c-"), "ORT310_TEST_I2C names the stub adapter");
    QCOMPARE(qEnvironmentVariable("ORT310_BUS"), QString("linux"));
    // As the program does at start: the component the settings name.
    m_bus = std::make_unique<BusAccessServer>(createBackend(optionsFromEnvironment(), std::make_shared<SystemClock>()));
}

void TestVm::smbusReadsTheStubChip()
{
    // The SMBus option is offered exactly when the adapter can be opened.
    QCOMPARE(QString::fromStdString(bus().CreateSystemInfo()->BuildNumber()),
             QString(asRoot() ? "2222" : "2195"));
    uint8_t id = 0;
    const QString failure = failureOf([&] { id = bus().Smbus().ReadRegister(0x4C, 0xFE); });
    if (asRoot()) {
        QCOMPARE(failure, QString());
        QCOMPARE(id, uint8_t(0x5C));
        // The adapter's name as the kernel gives it, without its line end:
        // the splash and the status line show it.
        const QString description = QString::fromStdString(bus().backend().description());
        QVERIFY2(description.endsWith(" and the SMBus adapter " + m_adapter + " (SMBus stub driver)."),
                 qPrintable(description));
    } else {
        // The node exists but is the root's alone: the text says which
        // node and which group grants access.
        QVERIFY2(failure.contains("Permission denied to open " + m_adapter), qPrintable(failure));
        QVERIFY2(failure.contains("group i2c"), qPrintable(failure));
    }
}

void TestVm::emptyAddressIsMissingAcknowledge()
{
    if (!asRoot())
        QSKIP("needs the adapter");
    bool missingAcknowledge = false;
    const QString failure = failureOf([this] { bus().Smbus().ReadRegister(0x4F, 0xFE); }, &missingAcknowledge);
    QCOMPARE(failure, QString("No acknowledge from device at 4Fh"));
    QVERIFY(missingAcknowledge);
    // The adapter still answers for the chip afterwards.
    uint8_t id = 0;
    QCOMPARE(failureOf([&] { id = bus().Smbus().ReadRegister(0x4C, 0xFE); }), QString());
    QCOMPARE(id, uint8_t(0x5C));
}

void TestVm::writeReadsBack_data()
{
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("value");
    QTest::newRow("limit 55h") << 0x0B << 0x55;
    QTest::newRow("limit AAh, the other bits") << 0x0B << 0xAA;
    QTest::newRow("another register, FFh") << 0x0C << 0xFF;
}

void TestVm::writeReadsBack()
{
    if (!asRoot())
        QSKIP("needs the adapter");
    QFETCH(int, reg);
    QFETCH(int, value);
    SmbusHost &host = bus().Smbus();
    // The stub keeps each register as written, unlike the chip, whose
    // limits are written and read at different addresses.
    uint8_t read = 0;
    const QString failure = failureOf([&] {
        host.WriteRegister(0x4C, uint8_t(reg), uint8_t(value));
        read = host.ReadRegister(0x4C, uint8_t(reg));
        host.WriteRegister(0x4C, uint8_t(reg), 0);
    });
    QCOMPARE(failure, QString());
    QCOMPARE(int(read), value);
}

void TestVm::printerPortSearchFindsNothing()
{
    PrinterPortBus &port = bus().PrinterPort();
    if (asRoot()) {
        QCOMPARE(int(port.PortCount()), 1);
        port.SelectPort(0);
        QCOMPARE(int(port.PortAddress()), 0x378);
    }
    // The wizard's probe pass: every candidate address under both link
    // variants. Nothing is attached, so nothing may be found, and each probe
    // ends with a failure rather than waiting for the bus.
    const uint8_t candidates[] = {0x30, 0x32, 0x34, 0x52, 0x54, 0x56, 0x98, 0x9A, 0x9C};
    QElapsedTimer timer;
    timer.start();
    int found = 0;
    QStringList failures;
    for (int p = 0; p < port.PortCount(); ++p) {
        port.SelectPort(uint8_t(p));
        for (bool variant : {false, true}) {
            port.Link().SetLinkVariant(variant);
            for (uint8_t address : candidates) {
                uint8_t id = 0;
                const QString failure = failureOf([&] { id = port.Link().ReadRegister(address, 0xFE); });
                if (failure.isEmpty() && id == 0x5C)
                    ++found;
                if (!failure.isEmpty())
                    failures << failure;
            }
        }
    }
    const qint64 ms = timer.elapsed();
    qInfo().noquote() << QString("vm_port_search_%1: %2 ms (%3 probes failed)").arg(m_role).arg(ms).arg(failures.size());
    failures.removeDuplicates();
    for (const QString &f : failures)
        qInfo().noquote() << "  " << f;
    QCOMPARE(found, 0);
    if (!asRoot()) {
        // A port the user may not open is not searched: it is reported, with
        // the group that grants access, before any search.
        QCOMPARE(int(port.PortCount()), 0);
        QVERIFY(failures.isEmpty());
        const std::vector<std::string> problems = bus().CreateSystemInfo()->PortProblems();
        QCOMPARE(int(problems.size()), 1);
        const QString problem = QString::fromStdString(problems[0]);
        QVERIFY2(problem.contains("/dev/parport0") && problem.contains("group lp"), qPrintable(problem));
        const QString smbus = QString::fromStdString(bus().CreateSystemInfo()->SmbusProblem());
        QVERIFY2(smbus.contains(m_adapter) && smbus.contains("group i2c"), qPrintable(smbus));
    }
}

QTEST_GUILESS_MAIN(TestVm)
#include "tst_vm.moc"
