#include "component/busaccess.h"
#include "component/buserror.h"
#include "component/linux/devices.h"
#include "component/linux/linuxbackend.h"
#include "component/linux/sysinfo.h"
#include "component/options.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <cerrno>

using namespace ort;
using namespace ort::linuxhw;

namespace {

Adapter adapter(int number, bool opened, bool byteData, uint32_t base = 0, int openError = 0)
{
    Adapter a;
    a.number = number;
    a.name = "adapter " + std::to_string(number);
    a.opened = opened;
    a.byteData = byteData;
    a.base = base;
    a.openError = openError;
    return a;
}

int openDescriptors()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

} // namespace

class TestLinux : public QObject {
    Q_OBJECT
private slots:
    void parportBase_data();
    void parportBase();
    void deviceNumbersSorted();
    void portsThatCannotBeOpenedAreReported();
    void ioportsAndAdapterNames();
    void adapterChoice_data();
    void adapterChoice();
    void adapterAtTypedBase();
    void hardwareShownForAuto_data();
    void hardwareShownForAuto();
    void autoOnThisMachine();
    void errorTexts();
    void smbusErrnoMapping_data();
    void smbusErrnoMapping();
    void startsWithoutDevicesAndFindsNothing();
    void probesAFakeSystemTree_data();
    void probesAFakeSystemTree();
};

void TestLinux::parportBase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("base");
    QTest::newRow("base and extended base") << "888\t1912\n" << 0x378;
    QTest::newRow("add-in card above 7FFFh") << "53248\t53256\n" << 0xD000;
    QTest::newRow("single number") << "632" << 0x278;
    QTest::newRow("empty (no such port)") << "" << -1;
    QTest::newRow("not a number") << "none" << -1;
    QTest::newRow("zero") << "0\t0" << -1;
    QTest::newRow("beyond the I/O space") << "70000" << -1;
}

void TestLinux::parportBase()
{
    QFETCH(QString, text);
    QFETCH(int, base);
    const auto parsed = parseParportBase(text.toStdString());
    QCOMPARE(parsed ? int(*parsed) : -1, base);
}

void TestLinux::deviceNumbersSorted()
{
    const std::vector<std::string> dev = {"parport10", "tty0", "parport2", "parport", "parportx", "i2c-1",
                                          "parport0", "i2c-0", "i2c-12", "i2c-", "parport2"};
    QCOMPARE(deviceNumbers(dev, "parport"), std::vector<int>({0, 2, 10}));
    QCOMPARE(deviceNumbers(dev, "i2c-"), std::vector<int>({0, 1, 12}));
}

void TestLinux::portsThatCannotBeOpenedAreReported()
{
    const PortSurvey survey = surveyPorts({{"/dev/parport0", "888\t1912\n", 0},
                                           {"/dev/parport1", "632\t1656\n", EACCES},
                                           {"/dev/parport2", "", 0},
                                           {"/dev/parport3", "956\n", 0}});
    QCOMPARE(int(survey.usable.size()), 2);
    QCOMPARE(QString::fromStdString(survey.usable[0].path), QString("/dev/parport0"));
    QCOMPARE(int(survey.usable[0].base), 0x378);
    QCOMPARE(QString::fromStdString(survey.usable[1].path), QString("/dev/parport3"));
    QCOMPARE(int(survey.usable[1].base), 0x3BC);
    QCOMPARE(int(survey.problems.size()), 1);
    QCOMPARE(QString::fromStdString(survey.problems[0]),
             QString("Permission denied to open /dev/parport1: join the group lp (sudo usermod -aG lp $USER, then "
                     "log in again)"));
}

void TestLinux::ioportsAndAdapterNames()
{
    const std::string ioports = "0000-0cf7 : PCI Bus 0000:00\n"
                                "  0378-037a : parport0\n"
                                "efa0-efbf : 0000:00:1f.3\n"
                                "  efa0-efbf : i801_smbus\n"
                                "f040-f05f : 0000:00:1f.4\n";
    QCOMPARE(ioportsStart(ioports, "i801_smbus"), std::optional<uint32_t>(0xEFA0));
    QCOMPARE(ioportsStart(ioports, "parport0"), std::optional<uint32_t>(0x378));
    QCOMPARE(ioportsStart(ioports, "piix4_smbus"), std::optional<uint32_t>());
    QCOMPARE(ioportsStart(ioports, "i801"), std::optional<uint32_t>());   // whole labels only

    QCOMPARE(baseFromAdapterName("SMBus I801 adapter at efa0"), std::optional<uint32_t>(0xEFA0));
    QCOMPARE(baseFromAdapterName("SMBus PIIX4 adapter port 0 at 0b00"), std::optional<uint32_t>(0x0B00));
    QCOMPARE(baseFromAdapterName("i915 gmbus dpc"), std::optional<uint32_t>());
    QCOMPARE(baseFromAdapterName("Synopsys DesignWare I2C adapter"), std::optional<uint32_t>());
}

void TestLinux::adapterChoice_data()
{
    QTest::addColumn<int>("wanted");   // -1: ORT310_I2C unset
    QTest::addColumn<int>("chosen");   // -1: none
    QTest::addColumn<QString>("error");
    QTest::newRow("first with byte data") << -1 << 3 << "";
    QTest::newRow("named by ORT310_I2C") << 5 << 5 << "";
    QTest::newRow("named, no byte data") << 1 << -1 << "does not support byte-data";
    QTest::newRow("named, no permission") << 2 << -1 << "group i2c";
    QTest::newRow("named, missing") << 9 << -1 << "does not exist";
}

void TestLinux::adapterChoice()
{
    QFETCH(int, wanted);
    QFETCH(int, chosen);
    QFETCH(QString, error);
    const std::vector<Adapter> adapters = {adapter(1, true, false), adapter(2, false, false, 0, EACCES),
                                           adapter(3, true, true, 0xEFA0), adapter(5, true, true, 0x0B00)};
    const AdapterChoice c = chooseAdapter(adapters, wanted < 0 ? "" : "/dev/i2c-" + std::to_string(wanted), 4);
    QCOMPARE(c.adapter ? c.adapter->number : -1, chosen);
    if (error.isEmpty())
        QCOMPARE(QString::fromStdString(c.error), QString());
    else
        QVERIFY2(QString::fromStdString(c.error).contains(error), c.error.c_str());
}

void TestLinux::adapterAtTypedBase()
{
    const std::vector<Adapter> adapters = {adapter(0, true, true, 0x5000), adapter(1, true, true, 0x0B00),
                                           adapter(2, true, false, 0x0B20)};
    QCOMPARE(adapterAtBase(adapters, 0x0B00)->number, 1);
    QVERIFY(!adapterAtBase(adapters, 0x0B20));   // no byte-data support
    QVERIFY(!adapterAtBase(adapters, 0x1234));
    // 0 is no base at all, though an adapter without one shows 0.
    QVERIFY(!adapterAtBase({adapter(4, true, true, 0)}, 0));

    // Nothing usable: the reason says what to do.
    QCOMPARE(QString::fromStdString(chooseAdapter({}, "", 2).error),
             QString("The i2c-dev module is not loaded, so the SMBus adapters of this machine cannot be used "
                     "(sudo modprobe i2c-dev)"));
    QCOMPARE(QString::fromStdString(chooseAdapter({}, "", 0).error), QString("This machine shows no SMBus adapter"));
    const AdapterChoice denied = chooseAdapter({adapter(0, false, false, 0, EACCES)}, "", 1);
    QVERIFY(!denied.adapter);
    QCOMPARE(QString::fromStdString(denied.error),
             QString("Permission denied to open /dev/i2c-0: join the group i2c (sudo usermod -aG i2c $USER, then "
                     "log in again)"));
    const AdapterChoice noByteData = chooseAdapter({adapter(0, true, false), adapter(1, false, false, 0, EIO)}, "", 2);
    QCOMPARE(QString::fromStdString(noByteData.error), QString("No SMBus adapter supports byte-data transfers"));
}

void TestLinux::hardwareShownForAuto_data()
{
    QTest::addColumn<int>("ports");
    QTest::addColumn<int>("openError");   // of the one adapter node; -1: no node
    QTest::addColumn<bool>("byteData");
    QTest::addColumn<int>("systemAdapters");
    QTest::addColumn<QString>("absence");   // empty: the hardware is shown
    QTest::newRow("a printer port") << 1 << -1 << false << 0 << "";
    QTest::newRow("an adapter with byte data") << 0 << 0 << true << 1 << "";
    QTest::newRow("an adapter the user may not open") << 0 << EACCES << false << 1 << "";
    QTest::newRow("an adapter the system does not let open") << 0 << EPERM << false << 1 << "";
    QTest::newRow("an adapter without byte data")
        << 0 << 0 << false << 1 << "This machine shows no printer port and no SMBus adapter with byte-data transfers";
    QTest::newRow("an adapter that fails otherwise")
        << 0 << EIO << false << 1 << "This machine shows no printer port and no SMBus adapter with byte-data transfers";
    QTest::newRow("adapters without i2c-dev")
        << 0 << -1 << false << 2
        << "This machine shows no printer port, and its I2C adapters need the i2c-dev module (sudo modprobe i2c-dev)";
    QTest::newRow("nothing") << 0 << -1 << false << 0 << "This machine shows no printer port and no SMBus adapter";
}

void TestLinux::hardwareShownForAuto()
{
    QFETCH(int, ports);
    QFETCH(int, openError);
    QFETCH(bool, byteData);
    QFETCH(int, systemAdapters);
    QFETCH(QString, absence);
    std::vector<Adapter> adapters;
    if (openError >= 0)
        adapters.push_back(adapter(0, openError == 0, byteData, 0, openError));
    const HardwareShown shown = hardwareShown(ports, adapters, systemAdapters);
    QCOMPARE(shown.shown, absence.isEmpty());
    QCOMPARE(QString::fromStdString(shown.absence), absence);
}

void TestLinux::autoOnThisMachine()
{
    // Whatever this machine shows, auto follows it; the simulated board
    // then says why it was taken.
    ComponentOptions options;
    options.bus = "auto";
    const HardwareShown shown = linuxHardwareShown();
    std::unique_ptr<Backend> chosen = createBackend(options, std::make_shared<ManualClock>());
    QCOMPARE(QString::fromStdString(chosen->name()), QString(shown.shown ? "linux" : "sim"));
    if (!shown.shown)
        QCOMPARE(QString::fromStdString(chosen->description()),
                 QString::fromStdString("This program is running on the simulated evaluation board: no hardware is "
                                        "used. " + shown.absence + "."));
    // Naming an adapter asks for the hardware, even one that is not there.
    options.i2cDevice = "/dev/i2c-999";
    chosen = createBackend(options, std::make_shared<ManualClock>());
    QCOMPARE(QString::fromStdString(chosen->name()), QString("linux"));
    QCOMPARE(QString::fromStdString(chosen->smbusProblem()),
             QString("The SMBus adapter /dev/i2c-999 does not exist (is the i2c-dev module loaded?)"));
}

void TestLinux::errorTexts()
{
    const QString parport = QString::fromStdString(deviceErrorText(EACCES, "/dev/parport0", "open"));
    QVERIFY(parport.contains("/dev/parport0"));
    QVERIFY(parport.contains("group lp"));
    QVERIFY(parport.contains("sudo usermod -aG lp $USER"));
    QVERIFY(QString::fromStdString(deviceErrorText(ENOENT, "/dev/parport1", "open")).contains("ppdev"));
    QVERIFY(QString::fromStdString(deviceErrorText(ENOENT, "/dev/i2c-4", "open")).contains("i2c-dev"));
    QVERIFY(QString::fromStdString(deviceErrorText(EBUSY, "/dev/parport0", "claim")).contains("in use"));
    const QString other = QString::fromStdString(deviceErrorText(EIO, "/dev/i2c-0", "read from"));
    QVERIFY(other.startsWith("Could not read from /dev/i2c-0: "));
}

void TestLinux::smbusErrnoMapping_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("noAcknowledge");
    QTest::addColumn<QString>("text");
    QTest::newRow("ENXIO") << ENXIO << true << "No acknowledge from device at 4Fh";
    QTest::newRow("EREMOTEIO") << EREMOTEIO << true << "No acknowledge from device at 4Fh";
    QTest::newRow("ENODEV (the kernel's SMBus stub)") << ENODEV << true << "No acknowledge from device at 4Fh";
    QTest::newRow("EIO") << EIO << false << "Could not read from /dev/i2c-1: Input/output error";
    QTest::newRow("ETIMEDOUT") << ETIMEDOUT << false << "Could not read from /dev/i2c-1: Connection timed out";
    QTest::newRow("EACCES") << EACCES << false
                            << "Permission denied to read from /dev/i2c-1: join the group i2c (sudo usermod -aG i2c "
                               "$USER, then log in again)";
}

void TestLinux::smbusErrnoMapping()
{
    QFETCH(int, error);
    QFETCH(bool, noAcknowledge);
    QFETCH(QString, text);
    const std::exception_ptr failure = smbusFailure(error, 0x4F, "/dev/i2c-1", "read from");
    try {
        std::rethrow_exception(failure);
    } catch (const NoAcknowledge &e) {
        QVERIFY2(noAcknowledge, "taken as a missing acknowledge");
        QCOMPARE(QString(e.what()), text);
    } catch (const BusError &e) {
        QVERIFY2(!noAcknowledge, "not taken as a missing acknowledge");
        QCOMPARE(QString(e.what()), text);
    } catch (...) {
        QFAIL("not a component failure");
    }
}

void TestLinux::startsWithoutDevicesAndFindsNothing()
{
    ComponentOptions options;
    options.bus = "linux";
    std::unique_ptr<Backend> backend = createBackend(options, std::make_shared<ManualClock>());
    if (backend->portCount() != 0 || backend->buildNumber() != "2195")
        QSKIP("this machine has printer ports or an SMBus adapter");
    const QString description = QString::fromStdString(backend->description());
    QVERIFY2(description.startsWith("This program is using this machine's hardware: 0 printer ports; no SMBus adapter: "),
             qPrintable(description));
    test::FakeUi ui;
    auto program = std::make_unique<Program>(ui, std::make_unique<BusAccessServer>(std::move(backend)),
                                             std::make_shared<ManualClock>());
    BusAccessServer &bus = program->bus();
    QVERIFY(!bus.createSystemInfo()->smbusProblem().empty());
    QVERIFY(!bus.simulated());
    QCOMPARE(bus.smbusAdapter(), std::string());
    QCOMPARE(bus.smbusBase(), 0u);
    // No adapter: nothing to choose from, and no choice is taken.
    QVERIFY(bus.Smbus().Adapters().empty());
    QVERIFY(!bus.Smbus().SelectAdapter("/dev/i2c-0"));
    int ends = 0;
    program->setEndHandler([&] { ++ends; });
    InitForm *wizard = program->wizard();
    wizard->show();
    QCOMPARE(ui.messages.size(), 0);   // loading worked
    QVERIFY(!wizard->findChild<QCheckBox *>("SMBusCheck")->isEnabled());
    wizard->NextCMD_Click();
    wizard->NextCMD_Click();
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(wizard->findChild<QListWidget *>("SearchResultsLIST")->count(), 0);
    QCOMPARE(wizard->findChild<QLabel *>("SearchResultsLBL")->text(),
             QString("Sorry, no ORT310s were found. Please check all connections and try again"));
    QVERIFY_THROWS_EXCEPTION(BusError, bus.Smbus().ReadRegister(0x4C, 0xFE));
    QCOMPARE(ui.messages.size(), 0);
    program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The component pointed at a tree that mimics /dev, /sys and /proc: an
// adapter's name as each kind of driver writes it, its base from the name
// or from /proc/ioports through its driver, a node that opens (a plain file:
// it opens, but answers no ioctl) or none; no descriptor is left open.
void TestLinux::probesAFakeSystemTree_data()
{
    QTest::addColumn<QString>("name");      // /sys/class/i2c-dev/i2c-3/name, as written
    QTest::addColumn<QString>("driver");    // its driver link's name; empty: none
    QTest::addColumn<bool>("node");         // /dev/i2c-3 there
    QTest::addColumn<uint>("base");
    QTest::addColumn<QString>("shownName");
    QTest::newRow("i801, base in the name") << "SMBus I801 adapter at efa0\n" << "i801_smbus" << true << 0xEFA0u
                                           << "SMBus I801 adapter at efa0";
    QTest::newRow("piix4 port") << "SMBus PIIX4 adapter port 0 at 0b00\n" << "" << true << 0x0B00u
                                << "SMBus PIIX4 adapter port 0 at 0b00";
    QTest::newRow("nforce2, no node") << "SMBus nForce2 adapter at 4d00\n" << "" << false << 0x4D00u
                                      << "SMBus nForce2 adapter at 4d00";
    QTest::newRow("base from ioports") << "Synopsys DesignWare I2C adapter\n" << "ismt_smbus" << true << 0xF040u
                                       << "Synopsys DesignWare I2C adapter";
    QTest::newRow("usb, no base") << "i2c-tiny-usb at bus 001 device 005\n" << "i2c-tiny-usb" << true << 0u
                                  << "i2c-tiny-usb at bus 001 device 005";
}

void TestLinux::probesAFakeSystemTree()
{
    QFETCH(QString, name);
    QFETCH(QString, driver);
    QFETCH(bool, node);
    QFETCH(uint, base);
    QFETCH(QString, shownName);
    QTemporaryDir tree;
    const QString root = tree.path();
    writeFile(root + "/sys/class/i2c-dev/i2c-3/name", name.toUtf8());
    writeFile(root + "/sys/class/i2c-adapter/i2c-3/name", name.toUtf8());
    writeFile(root + "/proc/ioports", "f040-f05f : 0000:00:1f.4\n  f040-f05f : ismt_smbus\n");
    writeFile(root + "/proc/sys/dev/parport/parport1/base-addr", "888\t1912\n");
    if (!driver.isEmpty()) {
        QVERIFY(QDir().mkpath(root + "/drivers/" + driver) && QDir().mkpath(root + "/sys/class/i2c-dev/i2c-3/device"));
        QVERIFY(QFile::link(root + "/drivers/" + driver, root + "/sys/class/i2c-dev/i2c-3/device/driver"));
    }
    if (node)
        writeFile(root + "/dev/i2c-3", "");

    const int before = openDescriptors();
    const std::vector<Adapter> adapters = probeAdapters({"i2c-3", "null"}, root.toStdString());
    QCOMPARE(openDescriptors(), before);
    QCOMPARE(adapters.size(), size_t(1));
    const Adapter &a = adapters.front();
    QCOMPARE(a.path(), std::string("/dev/i2c-3"));
    QCOMPARE(QString::fromStdString(a.name), shownName);
    QCOMPARE(a.base, uint32_t(base));
    QCOMPARE(a.opened, node);
    QCOMPARE(a.openError, node ? 0 : ENOENT);
    QVERIFY(!a.byteData);   // a file answers no ioctl
    QCOMPARE(systemAdapterCount(root.toStdString()), 1);
    QCOMPARE(printerPortNumbers({"parport0"}, root.toStdString()), std::vector<int>({0, 1}));
}

QTEST_MAIN(TestLinux)
#include "tst_linux.moc"
