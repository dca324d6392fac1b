#include "component/busaccess.h"
#include "component/options.h"
#include "shell/application.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace ort;
using test::control;

// The wizard walk on the Linux component against the real kernel, inside the
// test machine that tests/vm/run-vm.sh boots: the q35's i801 SMBus host
// (ORT310_TEST_I801, no chip, loaded first), an i2c-stub adapter
// (ORT310_TEST_I2C) with a chip at 4Ch whose register FEh holds 5Ch, and one
// printer port at 378h with nothing attached. ORT310_VM says who runs it: "root" may open every device
// node, "user" none. Outside that machine every case is skipped.
class TestVmWizard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void mediumPanelSaysWhatCannotBeOpened();
    void eachAdapterSearched_data();
    void eachAdapterSearched();
    void printerPortSearchFindsNothing();

private:
    bool asRoot() const { return m_role == "root"; }
    // The program started with these arguments, its wizard open.
    void start(const QStringList &arguments = {});
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(m_wizard, name), Qt::LeftButton); }
    // To the medium panel with only these media checked.
    void chooseMedia(bool printer, bool smbus);
    QStringList entries();

    QString m_role;
    QString m_adapter;   // the stub's node, /dev/i2c-N
    QString m_i801;      // the i801's node
    std::unique_ptr<test::ProgramFixture> f;
    InitForm *m_wizard = nullptr;
};

void TestVmWizard::initTestCase()
{
    m_role = qEnvironmentVariable("ORT310_VM");
    m_adapter = qEnvironmentVariable("ORT310_TEST_I2C");
    m_i801 = qEnvironmentVariable("ORT310_TEST_I801");
    if (m_role.isEmpty())
        QSKIP("runs only inside the test machine (ORT310_VM=root or user)");
    QVERIFY2(m_role == "root" || m_role == "user", qPrintable(m_role));
    QVERIFY2(m_adapter.startsWith("/dev/i2c-"), "ORT310_TEST_I2C names the stub adapter");
    QVERIFY2(m_i801.startsWith("/dev/i2c-"), "ORT310_TEST_I801 names the i801 adapter");
    QCOMPARE(qEnvironmentVariable("ORT310_BUS"), QString("linux"));

    // The program's own start-up path: the settings read once, the component
    // installed on the program's clock, nothing to report.
    test::FakeUi ui;
    const std::unique_ptr<BusAccessServer> bus =
        createComponent(ui, optionsFromEnvironment(), std::make_shared<ManualClock>(), stderr);
    QVERIFY(bus);
    QCOMPARE(ui.messages.size(), 0);
    QCOMPARE(QString::fromStdString(bus->backend().name()), QString("linux"));
    QVERIFY(!bus->simulated());
    // Until the user chooses, the first adapter: the i801.
    QCOMPARE(QString::fromStdString(bus->smbusAdapter()), asRoot() ? m_i801 : QString());
}

void TestVmWizard::init()
{
    start();
}

void TestVmWizard::start(const QStringList &arguments)
{
    // The component the command line and the settings name, as start-up
    // creates it, under the whole program; each case has its own, on a
    // clock it owns.
    f.reset();
    const CommandLine commandLine = readCommandLine(QStringList{"ort310eval"} + arguments);
    QVERIFY2(commandLine.options, qPrintable(commandLine.refusal));
    auto clock = std::make_shared<ManualClock>();
    f = std::make_unique<test::ProgramFixture>(createBackend(*commandLine.options, clock), clock);
    m_wizard = f->openWizard();
    QVERIFY(m_wizard);
}

void TestVmWizard::cleanup()
{
    m_wizard = nullptr;
    f.reset();
}

void TestVmWizard::chooseMedia(bool printer, bool smbus)
{
    click("NextCMD");
    QCOMPARE(m_wizard->CurrentPanel(), 2);
    control<QCheckBox>(m_wizard, "PPCheck")->setChecked(printer);
    control<QCheckBox>(m_wizard, "SMBusCheck")->setChecked(smbus);
}

QStringList TestVmWizard::entries()
{
    QStringList out;
    auto *list = control<QListWidget>(m_wizard, "SearchResultsLIST");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void TestVmWizard::mediumPanelSaysWhatCannotBeOpened()
{
    click("NextCMD");
    auto *printer = control<QLabel>(m_wizard, "PPSearchDescLBL");
    auto *smbus = control<QLabel>(m_wizard, "SMBusSearchDescLBL");
    qInfo().noquote() << "printer port:" << printer->text();
    qInfo().noquote() << "SMBus:" << smbus->text();
    QVERIFY(control<QCheckBox>(m_wizard, "PPCheck")->isEnabled());
    if (asRoot()) {
        QCOMPARE(printer->text(), QString("Remember to connect the ORT310 evaluation board to the printer port"));
        QCOMPARE(smbus->text(), QString("The Southbridge or ICH of Intel chipsets. For unsupported Intel chipsets, "
                                        "enter SMBBA here (Hex)."));
        QVERIFY(control<QCheckBox>(m_wizard, "SMBusCheck")->isEnabled());
        // Two adapters: the choice, the first preselected and its base
        // shown, as the system gives it ("SMBus I801 adapter at 0700").
        auto *adapters = control<QComboBox>(m_wizard, "SMBusAdapterCMB");
        QVERIFY(adapters->isVisible());
        QCOMPARE(adapters->count(), 2);
        QVERIFY2(adapters->itemText(0).startsWith(m_i801 + " (SMBus I801 adapter at "), qPrintable(adapters->itemText(0)));
        QCOMPARE(adapters->itemText(1), m_adapter + " (SMBus stub driver)");
        QCOMPARE(adapters->currentIndex(), 0);
        const QString base = control<QLineEdit>(m_wizard, "SMBusBaseAddressTXT")->text();
        QVERIFY2(base != "0" && adapters->itemText(0).toUpper().endsWith(base + ")"), qPrintable(base));
    } else {
        // Which node cannot be opened and which group grants access, before
        // any search, in the refusal colour.
        QVERIFY2(printer->text().contains("/dev/parport0") && printer->text().contains("group lp"),
                 qPrintable(printer->text()));
        QCOMPARE(printer->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        // The component's reason, not the sentence about old platforms.
        QVERIFY2(smbus->text().contains(m_i801) && smbus->text().contains("group i2c"), qPrintable(smbus->text()));
        QCOMPARE(smbus->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        QVERIFY(!control<QCheckBox>(m_wizard, "SMBusCheck")->isEnabled());
        QVERIFY(!control<QComboBox>(m_wizard, "SMBusAdapterCMB")->isVisible());
    }
    // Each says it whole in the room the panel gives it.
    for (QLabel *label : {printer, smbus})
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestVmWizard::eachAdapterSearched_data()
{
    QTest::addColumn<bool>("named");      // --i2c names the stub at start
    QTest::addColumn<QString>("choose");  // on the panel: "", "stub" from the list, "i801 base" typed
    QTest::addColumn<bool>("stub");       // the adapter searched
    QTest::newRow("the i801, as preselected") << false << "" << false;
    QTest::newRow("the stub, chosen in the list") << false << "stub" << true;
    QTest::newRow("the stub, named by --i2c") << true << "" << true;
    QTest::newRow("the i801, by its base") << true << "i801 base" << false;
}

void TestVmWizard::eachAdapterSearched()
{
    if (!asRoot())
        QSKIP("needs the adapters");
    QFETCH(bool, named);
    QFETCH(QString, choose);
    QFETCH(bool, stub);
    if (named)
        start({"--i2c", m_adapter});
    chooseMedia(false, true);
    auto *adapters = control<QComboBox>(m_wizard, "SMBusAdapterCMB");
    QCOMPARE(adapters->currentIndex(), named ? 1 : 0);
    if (choose == "stub")
        adapters->setCurrentIndex(1);
    if (choose == "i801 base") {
        // The i801's base, as the list shows it: the list follows the box.
        const QString i801 = adapters->itemText(0);
        auto *box = control<QLineEdit>(m_wizard, "SMBusBaseAddressTXT");
        box->selectAll();
        QTest::keyClicks(box, i801.mid(i801.lastIndexOf(' ') + 1).chopped(1));
        QCOMPARE(adapters->currentIndex(), 0);
    }
    click("NextCMD");
    QCOMPARE(m_wizard->CurrentPanel(), 4);
    QCOMPARE(QString::fromStdString(f->program->bus().smbusAdapter()), stub ? m_adapter : m_i801);
    QCOMPARE(f->ui.messages.size(), 0);
    if (!stub) {
        // No chip on the i801: every candidate read was a missing acknowledge.
        QCOMPARE(entries(), QStringList());
        QCOMPARE(control<QLabel>(m_wizard, "SearchResultsLBL")->text(),
                 QString("Sorry, no ORT310s were found. Please check all connections and try again"));
        return;
    }
    QCOMPARE(entries(), QStringList({"An ORT310 was found at:4Ch, on the SMBus" + QString(98, ' ') + "SMBus4C"}));
    QVERIFY(control<QPushButton>(m_wizard, "FinishCMD")->isEnabled());

    click("FinishCMD");
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main && main->isVisible());
    QCOMPARE(f->ends, 0);
    QCOMPARE(f->state().BusMedium, int16_t(0));
    QCOMPARE(f->state().DeviceAddress, int16_t(0x4C));
    QCOMPARE(control<QLabel>(main, "ConnectionLBL")->text(), "ORT310 at 4Ch on the SMBus, adapter " + m_adapter);

    // The register link reaches the stub chip through the kernel.
    f->state().RegisterPointer = 0xFE;
    test::failOnComponentError([&] { f->program->link().ReadRegister(); });
    QCOMPARE(f->state().ReadValue, int16_t(0x5C));
}

void TestVmWizard::printerPortSearchFindsNothing()
{
    chooseMedia(true, false);
    QElapsedTimer timer;
    timer.start();
    click("NextCMD");
    qInfo().noquote() << QString("vm_wizard_port_search_%1: %2 ms").arg(m_role).arg(timer.elapsed());
    QCOMPARE(m_wizard->CurrentPanel(), 4);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(control<QLabel>(m_wizard, "SearchResultsLBL")->text(),
             QString("Sorry, no ORT310s were found. Please check all connections and try again"));
    QVERIFY(!control<QPushButton>(m_wizard, "FinishCMD")->isEnabled());
    QCOMPARE(f->ui.messages.size(), 0);
    // Root probed the port under both wirings; the user had none to probe.
    QCOMPARE(f->calls().filter("PrinterPortLink.ReadRegister").size(), asRoot() ? 18 : 0);
}

QTEST_MAIN(TestVmWizard)
#include "tst_vmwizard.moc"
