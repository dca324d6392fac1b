#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "shell/twips.h"
#include "tests/support/testsupport.h"
#include "wizard/devicesearch.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace ort;

namespace {

sim::ChipSetup chipAt(uint8_t address7)
{
    sim::ChipSetup c;
    c.address7 = address7;
    return c;
}

sim::Scenario boardWith(std::vector<sim::PortSetup> ports, std::vector<uint8_t> smbusChips = {}, std::string build = "2222")
{
    sim::Scenario s;
    s.ports = std::move(ports);
    for (uint8_t a : smbusChips)
        s.smbus.chips.push_back(chipAt(a));
    s.build = std::move(build);
    return s;
}

sim::PortSetup portAt(uint16_t base, std::vector<uint8_t> chips = {})
{
    sim::PortSetup p;
    p.base = base;
    for (uint8_t a : chips)
        p.chips.push_back(chipAt(a));
    return p;
}

QStringList probes(const QString &route, bool withVariantFind = false, int findSlot = -1)
{
    QStringList out;
    const CandidateList c = BuildCandidateAddresses();
    for (int i = 0; i < 9; ++i) {
        if (route == "printer")
            out << QStringLiteral("PrinterPortLink.ReadRegister(%1,254)").arg(c[i]);
        else
            out << QStringLiteral("SmbusHost.ReadRegister(%1,254)").arg(c[i] / 2);
        if (withVariantFind && i == findSlot)
            out << "PrinterPortLink.LinkVariant()";
    }
    return out;
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void entryTextsAndTags_data();
    void entryTextsAndTags();
    void tagsRejectOtherTexts();
    void progressNeverPassesMaximum();

    void loadSetsTextsStatesAndCalls();
    void platformBuilds_data();
    void platformBuilds();
    void unreadableBuildReportsLoadError();
    void baseAddressTypingLimit();

    void typedBaseAddressChoosesHost();
    void navigationAndItsNoOps();
    void nextWithNoMediumStaysPut();
    void progressMaximaAndEndValues_data();
    void progressMaximaAndEndValues();

    void defaultBoardSearchOrderAndEntries();
    void chipUnderBothVariantsListedTwiceAndFinishOnSecond();
    void finishOnSmbusEntry();
    void searchWithoutFindsAndBackFromResults();
    void failingProbesAreNoChip();
    void moreThanNinePrinterFindsFinish();
    void closingBeforeFinishEndsProgram_data();
    void closingBeforeFinishEndsProgram();
    void splashToMainWindowOverEitherRoute_data();
    void splashToMainWindowOverEitherRoute();

private:
    void start(const sim::Scenario &scenario);
    template <typename T>
    T *child(const char *name)
    {
        T *w = wizard->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QList<bool> buttons()
    {
        return {child<QPushButton>("CancelCMD")->isEnabled(), child<QPushButton>("BackCMD")->isEnabled(),
                child<QPushButton>("NextCMD")->isEnabled(), child<QPushButton>("FinishCMD")->isEnabled()};
    }
    QStringList entries()
    {
        QStringList out;
        auto *list = child<QListWidget>("SearchResultsLIST");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void searchFromMediumPanel()
    {
        click("NextCMD");
        QCOMPARE(wizard->CurrentPanel(), 2);
        busAccess().transcript().clear();
        click("NextCMD");
    }

    std::unique_ptr<test::SimBoard> board;
    std::unique_ptr<test::FakeUi> ui;
    std::unique_ptr<Program> program;
    QPointer<InitForm> wizard;
    int ends = 0;
};

void TestWizard::start(const sim::Scenario &scenario)
{
    board = std::make_unique<test::SimBoard>(scenario);
    ui = std::make_unique<test::FakeUi>();
    program = std::make_unique<Program>(*ui, board->clock);
    ends = 0;
    program->setEndHandler([this] { ++ends; });
    wizard = program->wizard();
    wizard->show();
}

void TestWizard::cleanup()
{
    program.reset();
    board.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestWizard::entryTextsAndTags_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("readable");
    QTest::addColumn<int>("printerNumber");
    QTest::addColumn<int>("smbusAddress");
    const QString p50(50, ' '), s98(98, ' ');
    QTest::newRow("printer 1") << printerEntryText(0x98, 0x378, 1) << "Found an ORT310 at:4Ch, on printer port:378h"
                               << 1 << -1;
    QTest::newRow("printer 9, high base") << printerEntryText(0x30, 0xBC00, 9)
                                          << "Found an ORT310 at:18h, on printer port:BC00h" << 9 << -1;
    QTest::newRow("printer 10") << printerEntryText(0x9C, 0x278, 10) << "Found an ORT310 at:4Eh, on printer port:278h"
                                << 10 << -1;
    QTest::newRow("printer 123") << printerEntryText(0x9C, 0x278, 123)
                                 << "Found an ORT310 at:4Eh, on printer port:278h" << 123 << -1;
    QTest::newRow("smbus 4C") << smbusEntryText(0x4C) << "An ORT310 was found at:4Ch, on the SMBus" << -1 << 0x4C;
    QTest::newRow("smbus 18") << smbusEntryText(0x18) << "An ORT310 was found at:18h, on the SMBus" << -1 << 0x18;
}

void TestWizard::entryTextsAndTags()
{
    QFETCH(QString, entry);
    QFETCH(QString, readable);
    QFETCH(int, printerNumber);
    QFETCH(int, smbusAddress);
    QVERIFY(entry.startsWith(readable));
    const QString tag = entry.mid(readable.size());
    if (printerNumber > 0) {
        const QString number = printerNumber < 10 ? QStringLiteral(" %1").arg(printerNumber) : QString::number(printerNumber);
        QCOMPARE(tag, QString(50, ' ') + "Printer" + number);
        if (printerNumber < 10)   // the documented read-back: "Printer" then the last character
            QCOMPARE(entry.right(9).left(7), QString("Printer"));
        QCOMPARE(printerTagNumber(entry), std::optional<int>(printerNumber));
        QCOMPARE(smbusTagAddress(entry), std::optional<uint8_t>());
    } else {
        QCOMPARE(tag, QString(98, ' ') + "SMBus" + QStringLiteral("%1").arg(smbusAddress, 2, 16, QChar('0')).toUpper());
        QCOMPARE(smbusTagAddress(entry), std::optional<uint8_t>(uint8_t(smbusAddress)));
        QCOMPARE(printerTagNumber(entry), std::optional<int>());
    }
}

void TestWizard::tagsRejectOtherTexts()
{
    for (const QString &text : {QString(), QString("Printer"), QString("Printer 0"), QString("Printer x"),
                                QString("SMBus"), QString("SMBusZZ"), QString("nothing here at all")}) {
        QVERIFY2(!printerTagNumber(text), qPrintable(text));
        QVERIFY2(!smbusTagAddress(text), qPrintable(text));
    }
}

void TestWizard::progressNeverPassesMaximum()
{
    QCOMPARE(PrinterPortStep, 8);
    QCOMPARE(SmbusSlotStep, 3);
    QCOMPARE(advancedProgress(24, 8, 33), 32.0f);
    QCOMPARE(advancedProgress(32, 8, 33), 33.0f);
    QCOMPARE(advancedProgress(33, 3, 33), 33.0f);
}

void TestWizard::loadSetsTextsStatesAndCalls()
{
    start(sim::Scenario::defaultBoard());
    QCOMPARE(board->calls(), QStringList({"BusAccessServer.CreateSystemInfo()", "PrinterPortLink.SetBusParameter(240)",
                                          "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()",
                                          "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()",
                                          "SystemInfo.BuildNumber()", "SmbusHost.HostBaseAddress()",
                                          "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()"}));
    QCOMPARE(wizard->windowTitle(), QString("ORT310 Search Wizard"));
    QCOMPARE(child<QLabel>("WelcomeLBL")->text(),
             QString("This ORT310 Search Wizard will find any ORT310s that can be controlled by this software"));
    QCOMPARE(child<QLabel>("WelcomeInstructionsLBL")->text(), QString("Click 'Next' to start."));
    QCOMPARE(child<QLabel>("PPSearchDescLBL")->text(),
             QString("Remember to connect the ORT310 evaluation board to the printer port"));
    QCOMPARE(child<QLabel>("SearchMediumInstLBL")->text(), QString("Click 'Next' to search for the ORT310."));
    QCOMPARE(child<QLabel>("SearchingDetailsLBL")->text(), QString("Please wait while searching for available ORT310s."));
    QCOMPARE(child<QLabel>("SearchResultsLBL")->text(), QString("Please select one of the ORT310s found above."));
    QCOMPARE(child<QLabel>("SearchInsLBL")->text(), QString("Click 'Next' to Continue"));
    QCOMPARE(child<QLineEdit>("SMBusBaseAddressTXT")->text(), QString("5000"));
    QVERIFY(child<QCheckBox>("PPCheck")->isChecked());
    QVERIFY(!child<QCheckBox>("SMBusCheck")->isChecked());
    QVERIFY(child<QCheckBox>("SMBusCheck")->isEnabled());
    QVERIFY(child<QCheckBox>("USBCheck")->isHidden());
    QVERIFY(!child<QCheckBox>("USBCheck")->isEnabled());
    QCOMPARE(buttons(), QList<bool>({true, false, true, false}));

    // One place for all four panels, and only the first in view.
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(wizard->Panels().size(), size_t(4));
    const QStringList names = {"WelcomePanel", "SeclectComsMediumPanel", "SearchingPanel", "SearchResultsPanel"};
    for (int i = 0; i < 4; ++i) {
        QFrame *panel = wizard->Panels()[size_t(i)];
        QCOMPARE(panel->objectName(), names[i]);
        QCOMPARE(panel->size(), twipsRect(wizard, 0, 0, 4575, 2828).size());
        QCOMPARE(panel->x(), twips(wizard, i == 0 ? 1320 : -5000));
    }
    QCOMPARE(child<QPushButton>("FinishCMD")->geometry(), twipsRect(wizard, 4800, 3000, 1095, 375));
    QCOMPARE(child<QPushButton>("BackCMD")->text(), QString("< Back"));
    QCOMPARE(child<QPushButton>("NextCMD")->text(), QString("Next >"));
}

void TestWizard::platformBuilds_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<bool>("smbusAllowed");
    QTest::addColumn<bool>("usbRefused");
    QTest::newRow("NT family") << "2195" << false << false;
    QTest::newRow("950") << "950" << true << true;
    QTest::newRow("1111") << "1111" << true << true;
    QTest::newRow("1998") << "1998" << true << false;
    QTest::newRow("3000") << "3000" << true << false;
}

void TestWizard::platformBuilds()
{
    QFETCH(QString, build);
    QFETCH(bool, smbusAllowed);
    QFETCH(bool, usbRefused);
    start(boardWith({portAt(0x378, {0x4C})}, {0x18}, build.toStdString()));
    auto *smbus = child<QCheckBox>("SMBusCheck");
    auto *desc = child<QLabel>("SMBusSearchDescLBL");
    QCOMPARE(smbus->isEnabled(), smbusAllowed);
    QCOMPARE(child<QLineEdit>("SMBusBaseAddressTXT")->isEnabled(), smbusAllowed);
    QVERIFY(child<QCheckBox>("PPCheck")->isEnabled());
    if (smbusAllowed) {
        QVERIFY(desc->text().startsWith("The Southbridge or ICH of Intel chipsets."));
        QCOMPARE(desc->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    } else {
        QCOMPARE(desc->text(), QString("Sorry, SMBus communication is only supported on Windows 95,98 and ME."));
        QCOMPARE(desc->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        QCOMPARE(child<QLineEdit>("SMBusBaseAddressTXT")->text(), QString("000"));
    }
    auto *usb = child<QLabel>("USBSearchDescLBL");
    QCOMPARE(usb->text(), usbRefused ? QString("Sorry, USB communication is not supported on Windows 95.")
                                     : QString("Connect the evaluation board to the printer port"));
    QVERIFY(usb->isHidden());
    QCOMPARE(ui->messages.size(), 0);
}

void TestWizard::unreadableBuildReportsLoadError()
{
    start(boardWith({portAt(0x378, {0x4C})}, {}, "unknown"));
    QCOMPARE(ui->messages.size(), 1);
    QCOMPARE(ui->messages[0].title, QString("Error"));
    QCOMPARE(ui->messages[0].text, QString("Error in Init Form Load"));
    QCOMPARE(ui->messages[0].icon, QMessageBox::Critical);
    // The steps after the failing one were skipped, the window still opened.
    QCOMPARE(child<QLabel>("SearchingDetailsLBL")->text(), QString());
    QVERIFY(wizard->isVisible());
}

void TestWizard::baseAddressTypingLimit()
{
    start(sim::Scenario::defaultBoard());
    auto *box = child<QLineEdit>("SMBusBaseAddressTXT");
    QCOMPARE(box->text(), QString("5000"));   // set by the program: shown whole
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, "1");
    QCOMPARE(box->text(), QString("5000"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "AB");
    QCOMPARE(box->text(), QString("50A"));
}

void TestWizard::typedBaseAddressChoosesHost()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    child<QCheckBox>("SMBusCheck")->setChecked(true);
    auto *box = child<QLineEdit>("SMBusBaseAddressTXT");
    box->selectAll();
    QTest::keyClicks(box, "1f0");
    busAccess().transcript().clear();
    click("NextCMD");
    const QStringList calls = board->calls();
    const int select = calls.indexOf("SmbusHost.SelectHostBaseAddress(496)");
    QVERIFY(select > calls.lastIndexOf(QRegularExpression("PrinterPortLink.ReadRegister.*")));
    QVERIFY(select < calls.indexOf(QRegularExpression("SmbusHost.ReadRegister.*")));
    // The simulated board has one host: it accepts the base and is searched.
    QCOMPARE(entries().size(), 2);
}

void TestWizard::navigationAndItsNoOps()
{
    start(sim::Scenario::defaultBoard());
    click("BackCMD");   // disabled: the click goes nowhere
    wizard->BackCMD_Click();   // and the handler itself does nothing on panel 1
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(buttons(), QList<bool>({true, false, true, false}));

    click("NextCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(wizard->Panels()[1]->x(), twips(wizard, 1320));
    QCOMPARE(wizard->Panels()[0]->x(), twips(wizard, -5000));
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));

    click("BackCMD");
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(buttons(), QList<bool>({true, false, true, false}));

    // Through the search to the results, and back.
    click("NextCMD");
    child<QCheckBox>("SMBusCheck")->setChecked(true);
    click("NextCMD");
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(buttons(), QList<bool>({true, true, false, true}));
    QCOMPARE(entries().size(), 2);
    QCOMPARE(child<QProgressBar>("SearchProgress")->value(), 0);
    wizard->NextCMD_Click();   // Next is off here; its handler only restates the buttons
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(buttons(), QList<bool>({true, true, false, true}));

    click("BackCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(wizard->search().PortFoundCount(), uint8_t(0));
    QCOMPARE(wizard->search().SmbusFoundCount(), uint8_t(0));
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));
    QVERIFY(child<QCheckBox>("SMBusCheck")->isChecked());   // as the user left it

    // A new search starts from empty tables.
    click("NextCMD");
    QCOMPARE(entries().size(), 2);
    QCOMPARE(wizard->search().PortFoundCount(), uint8_t(1));
}

void TestWizard::nextWithNoMediumStaysPut()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    child<QCheckBox>("PPCheck")->setChecked(false);
    busAccess().transcript().clear();
    const QList<bool> before = buttons();
    click("NextCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(buttons(), before);
    QCOMPARE(ui->messages.size(), 1);
    QCOMPARE(ui->messages[0].text, QString("Please select a search medium"));
    QCOMPARE(ui->messages[0].title, QString("A problem was detected"));
    QCOMPARE(ui->messages[0].icon, QMessageBox::NoIcon);
    QCOMPARE(board->calls(), QStringList());
    QVERIFY(!program->mainWindow());
}

void TestWizard::progressMaximaAndEndValues_data()
{
    QTest::addColumn<int>("ports");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<bool>("smbus");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("end");
    QTest::newRow("one port") << 1 << true << false << 33 << 8;
    QTest::newRow("four ports") << 4 << true << false << 33 << 32;
    QTest::newRow("five ports") << 5 << true << false << 33 << 33;
    QTest::newRow("no ports") << 0 << true << false << 33 << 0;
    QTest::newRow("SMBus only") << 1 << false << true << 33 << 30;
    QTest::newRow("both, one port") << 1 << true << true << 66 << 38;
}

void TestWizard::progressMaximaAndEndValues()
{
    QFETCH(int, ports);
    QFETCH(bool, printer);
    QFETCH(bool, smbus);
    QFETCH(int, maximum);
    QFETCH(int, end);
    std::vector<sim::PortSetup> setups;
    for (int i = 0; i < ports; ++i)
        setups.push_back(portAt(uint16_t(0x278 + 0x100 * i)));
    start(boardWith(setups));
    click("NextCMD");
    child<QCheckBox>("PPCheck")->setChecked(printer);
    child<QCheckBox>("SMBusCheck")->setChecked(smbus);

    auto *bar = child<QProgressBar>("SearchProgress");
    int highest = 0, seenMaximum = 0, steps = 0;
    connect(bar, &QProgressBar::valueChanged, bar, [&](int v) {
        highest = std::max(highest, v);
        seenMaximum = bar->maximum();
        ++steps;
    });
    busAccess().transcript().clear();
    click("NextCMD");
    QCOMPARE(seenMaximum ? seenMaximum : bar->maximum(), maximum);
    QCOMPARE(highest, end);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(board->calls().filter("ReadRegister").size(), (printer ? 18 * ports : 0) + (smbus ? 9 : 0));
    QVERIFY(steps > 0 || end == 0);
}

void TestWizard::defaultBoardSearchOrderAndEntries()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    child<QCheckBox>("SMBusCheck")->setChecked(true);
    busAccess().transcript().clear();
    click("NextCMD");

    QStringList expected = {"PrinterPortBus.PortCount()", "PrinterPortBus.SelectPort(0)",
                            "PrinterPortLink.SetLinkVariant(False)"};
    expected << probes("printer") << "PrinterPortLink.SetLinkVariant(True)" << probes("printer", true, 6)
             << probes("smbus") << "PrinterPortBus.SelectPort(0)" << "PrinterPortBus.PortAddress()";
    QCOMPARE(board->calls(), expected);

    QCOMPARE(entries(), QStringList({printerEntryText(0x98, 0x378, 1), smbusEntryText(0x18)}));
    QCOMPARE(wizard->ResultAddresses(), std::vector<uint8_t>({0x98, 0x18}));
    QCOMPARE(child<QListWidget>("SearchResultsLIST")->currentRow(), 0);
    QCOMPARE(child<QLabel>("SearchResultsLBL")->text(), QString("Please select one of the ORT310s found above."));
    QCOMPARE(child<QLabel>("SearchInsLBL")->text(), QString("Click 'Finish' to Continue"));
    QVERIFY(program->mainWindow());            // loaded by the search...
    QVERIFY(!program->mainWindow()->isVisible());   // ...but not shown
    QVERIFY(wizard->cursor().shape() != Qt::WaitCursor);
}

void TestWizard::chipUnderBothVariantsListedTwiceAndFinishOnSecond()
{
    sim::Scenario s = boardWith({portAt(0x378, {0x4C})});
    s.ports[0].answersEitherVariant = true;
    start(s);
    searchFromMediumPanel();
    const QStringList list = entries();
    QCOMPARE(list, QStringList({printerEntryText(0x98, 0x378, 1), printerEntryText(0x98, 0x378, 2)}));
    QCOMPARE(list[0].left(list[0].size() - 9), list[1].left(list[1].size() - 9));
    QCOMPARE(wizard->search().printerFinds()[0].linkVariant, false);
    QCOMPARE(wizard->search().printerFinds()[1].linkVariant, true);

    program->state().PrinterPortBase = 0;
    child<QListWidget>("SearchResultsLIST")->setCurrentRow(1);
    busAccess().transcript().clear();
    click("FinishCMD");

    QStringList calls;
    for (const std::string &c : busAccess().transcript().calls())
        if (!QString::fromStdString(c).startsWith("BusAccessServer.PrinterPort"))
            calls << QString::fromStdString(c);
    QCOMPARE(calls, QStringList({"PrinterPortBus.SelectPort(0)", "PrinterPortLink.SetLinkVariant(True)",
                                 "PrinterPortLink.SetDeviceAddress(152)", "BusAccessServer.SelectBus(0)",
                                 "PrinterPortLink.PortBase()"}));
    QCOMPARE(program->state().BusMedium, int16_t(1));
    QCOMPARE(program->state().DeviceAddress, int16_t(152));
    QCOMPARE(program->state().PrinterPortBase, uint16_t(0x378));
    QVERIFY(program->mainWindow() && program->mainWindow()->isVisible());
    QTRY_VERIFY(!wizard || !wizard->isVisible());
    QCOMPARE(ends, 0);
}

void TestWizard::finishOnSmbusEntry()
{
    start(boardWith({portAt(0x378)}, {0x4C}));
    click("NextCMD");
    child<QCheckBox>("PPCheck")->setChecked(false);
    child<QCheckBox>("SMBusCheck")->setChecked(true);
    click("NextCMD");
    QCOMPARE(entries(), QStringList({smbusEntryText(0x4C)}));
    QCOMPARE(entries()[0], "An ORT310 was found at:4Ch, on the SMBus" + QString(98, ' ') + "SMBus4C");
    QCOMPARE(wizard->ResultAddresses(), std::vector<uint8_t>({0x4C}));

    program->state().PrinterPortBase = 0x1234;
    busAccess().transcript().clear();
    click("FinishCMD");
    QCOMPARE(board->calls(), QStringList({"SmbusHost.SetDeviceAddress(76)", "BusAccessServer.SelectBus(1)"}));
    QCOMPARE(program->state().BusMedium, int16_t(0));
    QCOMPARE(program->state().DeviceAddress, int16_t(0x4C));
    QCOMPARE(program->state().PrinterPortBase, uint16_t(0x1234));
    QCOMPARE(busAccess().selectedBus(), 1);
    QCOMPARE(busAccess().Smbus().deviceAddress(), uint8_t(0x4C));
    QVERIFY(program->mainWindow()->isVisible());
    QTRY_VERIFY(!wizard);   // unloaded, and only hidden as far as the program is concerned
    QCOMPARE(ends, 0);
}

void TestWizard::searchWithoutFindsAndBackFromResults()
{
    start(boardWith({portAt(0x378), portAt(0x278)}));
    searchFromMediumPanel();
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(child<QLabel>("SearchResultsLBL")->text(),
             QString("Sorry, no ORT310s were found. Please check all connections and try again"));
    QCOMPARE(child<QLabel>("SearchInsLBL")->text(), QString("Click Back to continue..."));
    QCOMPARE(buttons(), QList<bool>({true, true, false, false}));
    QCOMPARE(board->calls().filter("ReadRegister").size(), 36);

    click("BackCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));
}

void TestWizard::failingProbesAreNoChip()
{
    // A stuck bus on the first port makes every probe there fail; the
    // second port is still searched and its chip listed.
    sim::PortSetup stuck = portAt(0x378, {0x4C});
    stuck.stuckSda = true;
    start(boardWith({stuck, portAt(0x278, {0x18})}));
    searchFromMediumPanel();
    QCOMPARE(ui->messages.size(), 0);
    QCOMPARE(entries(), QStringList({printerEntryText(0x30, 0x278, 1)}));
}

void TestWizard::moreThanNinePrinterFindsFinish()
{
    start(boardWith({portAt(0x378, {0x18, 0x19, 0x1A, 0x29, 0x2A, 0x2B, 0x4C, 0x4D, 0x4E}), portAt(0x278, {0x2A, 0x4E})}));
    searchFromMediumPanel();
    const QStringList list = entries();
    QCOMPARE(list.size(), 11);
    QCOMPARE(list[8], printerEntryText(0x9C, 0x378, 9));
    QVERIFY(list[8].endsWith("Printer 9"));
    QVERIFY(list[10].endsWith("Printer11"));
    QCOMPARE(list[10], printerEntryText(0x9C, 0x278, 11));

    child<QListWidget>("SearchResultsLIST")->setCurrentRow(10);
    click("FinishCMD");
    QCOMPARE(ends, 0);
    QCOMPARE(program->state().BusMedium, int16_t(1));
    QCOMPARE(program->state().DeviceAddress, int16_t(0x9C));
    QCOMPARE(program->state().PrinterPortBase, uint16_t(0x278));
    QCOMPARE(busAccess().PrinterPort().Link().deviceAddress(), uint8_t(0x9C));
    QVERIFY(program->mainWindow()->isVisible());
}

void TestWizard::closingBeforeFinishEndsProgram_data()
{
    QTest::addColumn<bool>("useCancel");
    QTest::addColumn<bool>("afterSearch");
    QTest::newRow("frame, before a search") << false << false;
    QTest::newRow("frame, main window loaded") << false << true;
    QTest::newRow("Cancel, main window loaded") << true << true;
}

void TestWizard::closingBeforeFinishEndsProgram()
{
    QFETCH(bool, useCancel);
    QFETCH(bool, afterSearch);
    start(sim::Scenario::defaultBoard());
    if (afterSearch) {
        searchFromMediumPanel();
        QVERIFY(program->mainWindow());
    }
    if (useCancel)
        click("CancelCMD");
    else
        wizard->close();
    QCOMPARE(ends, 1);
    QVERIFY(!program->mainWindow());
    QVERIFY(!program->existingWizard());
    if (afterSearch)   // the main window's unload switched the board off
        QVERIFY(board->calls().contains("OutputLatch.SetValue(0)"));
}

void TestWizard::splashToMainWindowOverEitherRoute_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("address");
    QTest::newRow("printer port") << 0 << 1 << 0x98;
    QTest::newRow("SMBus") << 1 << 0 << 0x18;
}

void TestWizard::splashToMainWindowOverEitherRoute()
{
    QFETCH(int, row);
    QFETCH(int, medium);
    QFETCH(int, address);
    board = std::make_unique<test::SimBoard>();
    ui = std::make_unique<test::FakeUi>();
    program = std::make_unique<Program>(*ui, board->clock);
    program->setEndHandler([this] { ++ends; });
    ends = 0;
    frmSplash *splash = program->showSplash();
    QTest::keyClick(splash, Qt::Key_Space);
    wizard = program->existingWizard();
    QVERIFY(wizard && wizard->isVisible());
    click("NextCMD");
    child<QCheckBox>("SMBusCheck")->setChecked(true);
    click("NextCMD");
    child<QListWidget>("SearchResultsLIST")->setCurrentRow(row);
    click("FinishCMD");
    QVERIFY(program->mainWindow()->isVisible());
    QCOMPARE(program->state().BusMedium, int16_t(medium));
    QCOMPARE(program->state().DeviceAddress, int16_t(address));

    // The shared state now reaches the chosen chip through the link.
    program->state().RegisterPointer = 0xFE;
    program->link().ReadRegister();
    QCOMPARE(program->state().ReadValue, int16_t(0x5C));
    QCOMPARE(ends, 0);
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
