#include "component/busaccess.h"
#include "component/options.h"
#include "component/buserror.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

using namespace ort;

// The Linux component against the real kernel, inside the test machine that
// tests/vm/run-vm.sh boots: the q35's i801 SMBus host (ORT310_TEST_I801, no
// chip) and an i2c-stub adapter (ORT310_TEST_I2C) with a chip at 4Ch whose
// register FEh holds 5Ch, and one printer port at 378h with nothing attached.
// ORT310_VM says who runs it: "root" may open every device node, "user" none;
// ORT310_VM_DEVICES=none says that init unloaded i2c-dev and the printer
// port; only autoFollowsWhatTheMachineShows is run then.
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
    void autoFollowsWhatTheMachineShows();

private:
    bool asRoot() const { return m_role == "root"; }
    BusAccessServer &bus() { return *m_bus; }
    std::unique_ptr<BusAccessServer> m_bus;   // as the program makes it at start
    QString m_role;
    QString m_adapter;   // the stub's node, /dev/i2c-N
    QString m_i801;      // the i801's node
    bool m_devices = true;
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
    m_i801 = qEnvironmentVariable("ORT310_TEST_I801");
    m_devices = qEnvironmentVariable("ORT310_VM_DEVICES") != "none";
    if (m_role.isEmpty())
        QSKIP("runs only inside the test machine (ORT310_VM=root or user)");
    QVERIFY2(m_role == "root" || m_role == "user", qPrintable(m_role));
    QCOMPARE(qEnvironmentVariable("ORT310_BUS"), QString("linux"));
    if (m_devices) {
        QVERIFY2(m_adapter.startsWith("/dev/i2c-"), "ORT310_TEST_I2C names the stub adapter");
        QVERIFY2(m_i801.startsWith("/dev/i2c-"), "ORT310_TEST_I801 names the i801 adapter");
    }
    // As the program does at start: the component the settings name; the
    // chip is on the stub, which the search wizard would be told to use.
    m_bus = std::make_unique<BusAccessServer>(createBackend(optionsFromEnvironment(), std::make_shared<SystemClock>()));
    if (m_devices && asRoot())
        QVERIFY(m_bus->Smbus().SelectAdapter(m_adapter.toStdString()));
}

void TestVm::smbusReadsTheStubChip()
{
    // The SMBus option is offered exactly when the adapter can be opened.
    QCOMPARE(QString::fromStdString(bus().createSystemInfo()->BuildNumber()),
             QString(asRoot() ? "2222" : "2195"));
    uint8_t id = 0;
    const QString failure = failureOf([&] { id = bus().Smbus().ReadRegister(0x4C, 0xFE); });
    if (asRoot()) {
        QCOMPARE(failure, QString());
        QCOMPARE(id, uint8_t(0x5C));
        // Each adapter's name as the kernel gives it, without its line end:
        // the splash shows them, the i801 first (it was loaded first).
        const QString description = QString::fromStdString(bus().backend().description());
        QVERIFY2(description.contains(QRegularExpression(" and the SMBus adapters " + m_i801 +
                                                         " \\(SMBus I801 adapter at [0-9a-f]{4}\\) and " + m_adapter +
                                                         " \\(SMBus stub driver\\)\\.$")),
                 qPrintable(description));
    } else {
        // The nodes exist but are the root's alone: the text names the
        // first, the i801's, and the group that grants access.
        QVERIFY2(failure.contains("Permission denied to open " + m_i801), qPrintable(failure));
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
        const std::vector<std::string> problems = bus().createSystemInfo()->portProblems();
        QCOMPARE(int(problems.size()), 1);
        const QString problem = QString::fromStdString(problems[0]);
        QVERIFY2(problem.contains("/dev/parport0") && problem.contains("group lp"), qPrintable(problem));
        const QString smbus = QString::fromStdString(bus().createSystemInfo()->smbusProblem());
        QVERIFY2(smbus.contains(m_i801) && smbus.contains("group i2c"), qPrintable(smbus));
    }
}

void TestVm::autoFollowsWhatTheMachineShows()
{
    ComponentOptions options;
    options.bus = "auto";
    const std::unique_ptr<Backend> chosen = createBackend(options, std::make_shared<SystemClock>());
    const QString description = QString::fromStdString(chosen->description());
    qInfo().noquote() << "auto:" << description;
    if (!m_devices) {
        // The adapters are still there, but without their nodes: the
        // simulated board, and the module that is missing.
        QCOMPARE(QString::fromStdString(chosen->name()), QString("sim"));
        QVERIFY2(description.endsWith("This machine shows no printer port, and its I2C adapters need the i2c-dev "
                                      "module (sudo modprobe i2c-dev)."),
                 qPrintable(description));
        return;
    }
    // Also where the user may not open a single node: the hardware, and
    // the medium panel says what grants access.
    QCOMPARE(QString::fromStdString(chosen->name()), QString("linux"));
    if (!asRoot()) {
        const QString problem = QString::fromStdString(chosen->smbusProblem());
        QVERIFY2(problem.contains("group i2c"), qPrintable(problem));
    }
}

QTEST_GUILESS_MAIN(TestVm)
#include "tst_vm.moc"
