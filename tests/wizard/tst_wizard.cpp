#include "gui/twips.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "search/devicesearch.h"
#include "wizard/initform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace ort;
using test::boardWith;
using test::chipAt;
using test::control;
using test::portAt;

namespace {

// The probes of one pass, one read of register 254 for each address given.
QStringList probes(const char *object, std::initializer_list<int> addresses, int variantAfter = -1)
{
    QStringList out;
    for (int a : addresses) {
        out << QStringLiteral("%1.ReadRegister(%2,254)").arg(QLatin1String(object)).arg(a);
        if (a == variantAfter)
            out << "PrinterPortLink.LinkVariant()";
    }
    return out;
}

// The nine candidates as the printer-port link gets them (8-bit address
// bytes) and as the SMBus host gets them (7-bit addresses).
QStringList printerProbes(int variantAfter = -1)
{
    return probes("PrinterPortLink", {48, 50, 52, 82, 84, 86, 152, 154, 156}, variantAfter);
}

QStringList smbusProbes()
{
    return probes("SmbusHost", {24, 25, 26, 41, 42, 43, 76, 77, 78});
}

const QString PrinterGap(50, ' ');   // between the readable text and a printer tag
const QString SmbusGap(98, ' ');     // and an SMBus tag

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void entryTextsAndTags_data();
    void entryTextsAndTags();
    void tagsRejectOtherTexts();
    void candidatesAndProgressSteps();

    void loadSetsTextsStatesAndCalls();
    void platformBuilds_data();
    void platformBuilds();
    void unreadableBuildReportsLoadError();
    void baseAddressBox_data();
    void baseAddressBox();
    void refusalsGiveTheComponentsReason_data();
    void refusalsGiveTheComponentsReason();
    void labelsShowTheirWholeText_data();
    void labelsShowTheirWholeText();

    void typedBaseAddressChoosesHost();
    void adapterChoice_data();
    void adapterChoice();
    void navigationAndItsNoOps();
    void nextWithNoMediumStaysPut();
    void progressMaximaAndEndValues_data();
    void progressMaximaAndEndValues();

    void defaultBoardSearchOrderAndEntries();
    void chipUnderBothVariantsListedTwiceAndFinishOnSecond();
    void finishOnSmbusEntry();
    void searchWithoutFindsAndBackFromResults();
    void failingProbesAreNoChip();
    void programFaultDuringSearchIsShown();
    void moreThanNinePrinterFindsFinish();
    void finishWithBrokenTablesOpensNothing();
    void closingBeforeFinishEndsProgram_data();
    void closingBeforeFinishEndsProgram();

    void keyboardWalksToTheMainWindow_data();
    void keyboardWalksToTheMainWindow();
    void escapeCancels_data();
    void escapeCancels();
    void nothingFoundReturnGoesBack();
    void returnPressesTheFocusedButton();
    void finishFollowsTheSelection();
    void tabOrderFollowsTheLayout();
    void missingControlFailsOneCase();

private:
    void start(const sim::Scenario &scenario);
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(wizard, name), Qt::LeftButton); }
    QList<bool> buttons()
    {
        return {control<QPushButton>(wizard, "CancelCMD")->isEnabled(),
                control<QPushButton>(wizard, "BackCMD")->isEnabled(),
                control<QPushButton>(wizard, "NextCMD")->isEnabled(),
                control<QPushButton>(wizard, "FinishCMD")->isEnabled()};
    }
    QStringList entries()
    {
        QStringList out;
        auto *list = control<QListWidget>(wizard, "SearchResultsLIST");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void searchFromMediumPanel()
    {
        click("NextCMD");
        QCOMPARE(wizard->CurrentPanel(), 2);
        f->clearCalls();
        click("NextCMD");
    }
    MainMenuForm *mainWindow() { return f->program->mainWindow(); }
    // Shows the wizard as the active window, so that keys reach its focus.
    bool activate()
    {
        wizard->activateWindow();
        return QTest::qWaitForWindowActive(wizard);
    }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString("(none)");
    }
    // The default button of the buttons row, by name; "" when there is none.
    QString defaultButton()
    {
        QStringList names;
        for (const char *name : {"CancelCMD", "BackCMD", "NextCMD", "FinishCMD"})
            if (control<QPushButton>(wizard, name)->isDefault())
                names << name;
        return names.join(',');
    }
    // A key as the user types it: to the widget that has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : wizard.data(), key, modifiers);
    }

    std::unique_ptr<test::ProgramFixture> f;
    QPointer<InitForm> wizard;
};

void TestWizard::start(const sim::Scenario &scenario)
{
    f = std::make_unique<test::ProgramFixture>(scenario);
    wizard = f->program->wizard();
    wizard->show();
}

void TestWizard::cleanup()
{
    f.reset();
    test::checkNoWindowLeft();
}

void TestWizard::entryTextsAndTags_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("readable");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("printerNumber");
    QTest::addColumn<int>("smbusAddress");
    QTest::newRow("printer 1") << printerEntryText(0x98, 0x378, 1) << "Found an ORT310 at:4Ch, on printer port:378h"
                               << PrinterGap + "Printer 1" << 1 << -1;
    QTest::newRow("printer 9, high base") << printerEntryText(0x30, 0xBC00, 9)
                                          << "Found an ORT310 at:18h, on printer port:BC00h" << PrinterGap + "Printer 9"
                                          << 9 << -1;
    QTest::newRow("printer 10") << printerEntryText(0x9C, 0x278, 10) << "Found an ORT310 at:4Eh, on printer port:278h"
                                << PrinterGap + "Printer10" << 10 << -1;
    QTest::newRow("printer 123") << printerEntryText(0x9C, 0x278, 123)
                                 << "Found an ORT310 at:4Eh, on printer port:278h" << PrinterGap + "Printer123" << 123
                                 << -1;
    QTest::newRow("smbus 4C") << smbusEntryText(0x4C) << "An ORT310 was found at:4Ch, on the SMBus"
                              << SmbusGap + "SMBus4C" << -1 << 0x4C;
    QTest::newRow("smbus 18") << smbusEntryText(0x18) << "An ORT310 was found at:18h, on the SMBus"
                              << SmbusGap + "SMBus18" << -1 << 0x18;
    QTest::newRow("smbus 0A, two digits") << smbusEntryText(0x0A) << "An ORT310 was found at:Ah, on the SMBus"
                                          << SmbusGap + "SMBus0A" << -1 << 0x0A;
}

void TestWizard::entryTextsAndTags()
{
    QFETCH(QString, entry);
    QFETCH(QString, readable);
    QFETCH(QString, tag);
    QFETCH(int, printerNumber);
    QFETCH(int, smbusAddress);
    QCOMPARE(entry, readable + tag);
    if (printerNumber < 10 && printerNumber > 0)   // the documented read-back: "Printer", then one digit
        QCOMPARE(entry.right(9).left(7), QString("Printer"));
    QCOMPARE(printerTagNumber(entry), printerNumber > 0 ? std::optional<int>(printerNumber) : std::nullopt);
    QCOMPARE(smbusTagAddress(entry),
             smbusAddress >= 0 ? std::optional<uint8_t>(uint8_t(smbusAddress)) : std::optional<uint8_t>());
}

void TestWizard::tagsRejectOtherTexts()
{
    for (const QString &text : {QString(), QString("Printer"), QString("Printer 0"), QString("Printer x"),
                                QString("Printer 12"), QString("Printer0"), QString("SMBus"), QString("SMBusZZ"),
                                QString("nothing here at all")}) {
        QVERIFY2(!printerTagNumber(text), qPrintable(text));
        QVERIFY2(!smbusTagAddress(text), qPrintable(text));
    }
}

void TestWizard::candidatesAndProgressSteps()
{
    QCOMPARE(BuildCandidateAddresses(), CandidateList({0x30, 0x32, 0x34, 0x52, 0x54, 0x56, 0x98, 0x9A, 0x9C, 0}));
    QCOMPARE(PrinterPortStep, 8);
    QCOMPARE(SmbusSlotStep, 3);
    QCOMPARE(advancedProgress(24, 8, 33), 32.0f);
    QCOMPARE(advancedProgress(32, 8, 33), 33.0f);
    QCOMPARE(advancedProgress(25, 8, 33), 33.0f);   // exactly at the maximum
    QCOMPARE(advancedProgress(33, 3, 33), 33.0f);
}

void TestWizard::loadSetsTextsStatesAndCalls()
{
    start(sim::Scenario::defaultBoard());
    QCOMPARE(f->calls(), QStringList({"BusAccessServer.createSystemInfo()", "PrinterPortLink.SetBusParameter(240)",
                                      "SystemInfo.portProblems()", "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()",
                                      "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()",
                                      "SystemInfo.BuildNumber()", "SmbusHost.HostBaseAddress()", "SmbusHost.Adapters()",
                                      "SystemInfo.BuildNumber()", "SystemInfo.BuildNumber()"}));
    QCOMPARE(wizard->windowTitle(), QString("ORT310 Search Wizard"));
    QCOMPARE(control<QLabel>(wizard, "WelcomeLBL")->text(),
             QString("This ORT310 Search Wizard will find any ORT310s that can be controlled by this software"));
    QCOMPARE(control<QLabel>(wizard, "WelcomeInstructionsLBL")->text(), QString("Click 'Next' to start."));
    QCOMPARE(control<QLabel>(wizard, "PPSearchDescLBL")->text(),
             QString("Remember to connect the ORT310 evaluation board to the printer port"));
    QCOMPARE(control<QLabel>(wizard, "SearchMediumInstLBL")->text(), QString("Click 'Next' to search for the ORT310."));
    QCOMPARE(control<QLabel>(wizard, "SearchingDetailsLBL")->text(),
             QString("Please wait while searching for available ORT310s."));
    QCOMPARE(control<QLabel>(wizard, "SearchResultsLBL")->text(), QString("Please select one of the ORT310s found above."));
    QCOMPARE(control<QLabel>(wizard, "SearchInsLBL")->text(), QString("Click 'Next' to Continue"));
    QCOMPARE(control<QLineEdit>(wizard, "SMBusBaseAddressTXT")->text(), QString("5000"));
    QVERIFY(control<QCheckBox>(wizard, "PPCheck")->isChecked());
    QVERIFY(!control<QCheckBox>(wizard, "SMBusCheck")->isChecked());
    QVERIFY(control<QCheckBox>(wizard, "SMBusCheck")->isEnabled());
    QVERIFY(control<QCheckBox>(wizard, "USBCheck")->isHidden());
    QVERIFY(!control<QCheckBox>(wizard, "USBCheck")->isEnabled());
    QCOMPARE(buttons(), QList<bool>({true, false, true, false}));
    // Return means Next, and the focus is on it (not on the first button).
    QCOMPARE(defaultButton(), QString("NextCMD"));
    QVERIFY(activate());
    QCOMPARE(focused(), QString("NextCMD"));

    // One place for all four panels, and only the first in view.
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(wizard->Panels().size(), size_t(4));
    const QStringList names = {"WelcomePanel", "SeclectComsMediumPanel", "SearchingPanel", "SearchResultsPanel"};
    for (size_t i = 0; i < wizard->Panels().size(); ++i) {
        QFrame *panel = wizard->Panels()[i];
        QCOMPARE(panel->objectName(), names[int(i)]);
        QCOMPARE(panel->size(), QSize(305, 189));   // 4575 x 2828 twips
        QCOMPARE(panel->x(), i == 0 ? 88 : -332);   // 1320 twips, or -5000 out of view
        QCOMPARE(panel->isVisible(), i == 0);
    }
    QCOMPARE(control<QPushButton>(wizard, "FinishCMD")->geometry(), QRect(320, 200, 73, 25));
    QCOMPARE(control<QPushButton>(wizard, "CancelCMD")->text(), QString("Cancel"));
    QCOMPARE(control<QPushButton>(wizard, "BackCMD")->text(), QString("< Back"));
    QCOMPARE(control<QPushButton>(wizard, "NextCMD")->text(), QString("Next >"));
    QCOMPARE(control<QPushButton>(wizard, "FinishCMD")->text(), QString("Finish"));
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
    QTest::newRow("2222") << "2222" << true << false;
    QTest::newRow("3000") << "3000" << true << false;
    QTest::newRow("between the listed ones") << "2000" << false << false;
}

void TestWizard::platformBuilds()
{
    QFETCH(QString, build);
    QFETCH(bool, smbusAllowed);
    QFETCH(bool, usbRefused);
    start(boardWith({portAt(0x378, {0x4C})}, {0x18}, build.toStdString()));
    auto *smbus = control<QCheckBox>(wizard, "SMBusCheck");
    auto *desc = control<QLabel>(wizard, "SMBusSearchDescLBL");
    QCOMPARE(smbus->isEnabled(), smbusAllowed);
    QVERIFY(!smbus->isChecked());
    QCOMPARE(control<QLineEdit>(wizard, "SMBusBaseAddressTXT")->isEnabled(), smbusAllowed);
    QVERIFY(control<QCheckBox>(wizard, "PPCheck")->isEnabled());
    if (smbusAllowed) {
        QCOMPARE(desc->text(), QString("The Southbridge or ICH of Intel chipsets. For unsupported Intel chipsets, "
                                       "enter SMBBA here (Hex)."));
        QCOMPARE(desc->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(control<QLineEdit>(wizard, "SMBusBaseAddressTXT")->text(), QString("5000"));
    } else {
        QCOMPARE(desc->text(), QString("Sorry, SMBus communication is only supported on Windows 95,98 and ME."));
        QCOMPARE(desc->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        QCOMPARE(control<QLineEdit>(wizard, "SMBusBaseAddressTXT")->text(), QString("000"));
    }
    auto *usb = control<QLabel>(wizard, "USBSearchDescLBL");
    QCOMPARE(usb->text(), usbRefused ? QString("Sorry, USB communication is not supported on Windows 95.")
                                     : QString("Connect the evaluation board to the printer port"));
    QCOMPARE(usb->palette().color(QPalette::WindowText), usbRefused ? QColor(192, 0, 0) : QColor(0, 128, 0));
    QVERIFY(usb->isHidden());
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestWizard::unreadableBuildReportsLoadError()
{
    start(boardWith({portAt(0x378, {0x4C})}, {}, "unknown"));
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("Error"));
    QCOMPARE(f->ui.messages[0].text, QString("Error in Init Form Load"));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::Critical);
    // The steps after the failing one were skipped, the window still opened.
    QCOMPARE(control<QLabel>(wizard, "SearchingDetailsLBL")->text(), QString());
    QVERIFY(wizard->isVisible());
}

void TestWizard::baseAddressBox_data()
{
    QTest::addColumn<uint>("hostBase");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("keys");   // "<" is a backspace, "^" goes to the end
    QTest::addColumn<QString>("after");
    QTest::newRow("four digits typed back") << 0x5000u << "5000" << QStringList{"^", "<", "<", "<", "<", "EFA0"} << "EFA0";
    QTest::newRow("no fifth digit") << 0x5000u << "5000" << QStringList{"^", "1"} << "5000";
    QTest::newRow("hexadecimal digits only") << 0x5000u << "5000" << QStringList{"^", "<", "<", "G", "-", " ", "x"}
                                             << "50";
    QTest::newRow("letters shown in upper case") << 0x5000u << "5000" << QStringList{"^", "<", "<", "ab"} << "50AB";
    QTest::newRow("a longer base is shown whole") << 0x12345u << "12345" << QStringList{} << "12345";
    QTest::newRow("and may be shortened, not lengthened") << 0x12345u << "12345" << QStringList{"^", "6", "<", "7"}
                                                         << "1234";
}

void TestWizard::baseAddressBox()
{
    QFETCH(uint, hostBase);
    QFETCH(QString, shown);
    QFETCH(QStringList, keys);
    QFETCH(QString, after);
    sim::Scenario s = sim::Scenario::defaultBoard();
    s.smbus.base = hostBase;
    start(s);
    auto *box = control<QLineEdit>(wizard, "SMBusBaseAddressTXT");
    QCOMPARE(box->text(), shown);   // set by the program
    for (const QString &k : keys) {
        if (k == "^")
            QTest::keyClick(box, Qt::Key_End);
        else if (k == "<")
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, k);
    }
    QCOMPARE(box->text(), after);
}

void TestWizard::refusalsGiveTheComponentsReason_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<QString>("smbusProblem");
    QTest::addColumn<QStringList>("portProblems");
    QTest::addColumn<QString>("smbusText");
    QTest::addColumn<QString>("printerText");
    const QString windows = "Sorry, SMBus communication is only supported on Windows 95,98 and ME.";
    const QString hint = "The Southbridge or ICH of Intel chipsets. For unsupported Intel chipsets, enter SMBBA here (Hex).";
    const QString connect = "Remember to connect the ORT310 evaluation board to the printer port";
    const QString module = "The i2c-dev module is not loaded, so the SMBus adapters of this machine cannot be used "
                           "(sudo modprobe i2c-dev)";
    QTest::newRow("no reason given: the documented sentence") << "2195" << "" << QStringList() << windows << connect;
    QTest::newRow("the component's reason") << "2195" << module << QStringList() << module + "." << connect;
    QTest::newRow("offered: no refusal, whatever is said") << "2222" << module << QStringList() << hint << connect;
    QTest::newRow("a port that cannot be opened")
        << "2222" << "" << QStringList{"Permission denied to open /dev/parport0: join the group lp"} << hint
        << "Permission denied to open /dev/parport0: join the group lp.";
    QTest::newRow("two of them") << "2195" << ""
                                 << QStringList{"Permission denied to open /dev/parport0: join the group lp",
                                                "/dev/parport1 is in use by another program"}
                                 << windows
                                 << "Permission denied to open /dev/parport0: join the group lp. /dev/parport1 is in "
                                    "use by another program.";
}

void TestWizard::refusalsGiveTheComponentsReason()
{
    QFETCH(QString, build);
    QFETCH(QString, smbusProblem);
    QFETCH(QStringList, portProblems);
    QFETCH(QString, smbusText);
    QFETCH(QString, printerText);
    sim::Scenario s = boardWith({portAt(0x378, {0x4C})}, {0x18}, build.toStdString());
    s.smbusProblem = smbusProblem.toStdString();
    for (const QString &p : portProblems)
        s.portProblems.push_back(p.toStdString());
    start(s);
    const bool refused = build != "2222";
    auto *smbus = control<QLabel>(wizard, "SMBusSearchDescLBL");
    QCOMPARE(smbus->text(), smbusText);
    QCOMPARE(smbus->palette().color(QPalette::WindowText), refused ? QColor(192, 0, 0) : QColor(0, 128, 0));
    QCOMPARE(control<QCheckBox>(wizard, "SMBusCheck")->isEnabled(), !refused);
    auto *printer = control<QLabel>(wizard, "PPSearchDescLBL");
    QCOMPARE(printer->text(), printerText);
    QCOMPARE(printer->palette().color(QPalette::WindowText),
             portProblems.isEmpty() ? QColor(0, 128, 0) : QColor(192, 0, 0));
    // The printer port stays on offer: other ports may still be searched.
    QVERIFY(control<QCheckBox>(wizard, "PPCheck")->isEnabled());
    QVERIFY(control<QCheckBox>(wizard, "PPCheck")->isChecked());
    // The reason is asked for only where there is a refusal to explain.
    QCOMPARE(f->calls().contains("SystemInfo.smbusProblem()"), refused);
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestWizard::labelsShowTheirWholeText_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<bool>("search");
    QTest::addColumn<bool>("noAccess");
    QTest::newRow("SMBus offered") << "2222" << false << false;
    QTest::newRow("SMBus refused") << "2195" << false << false;
    QTest::newRow("nothing found") << "2195" << true << false;
    QTest::newRow("no access to the devices") << "2195" << false << true;
}

void TestWizard::labelsShowTheirWholeText()
{
    QFETCH(QString, build);
    QFETCH(bool, search);
    QFETCH(bool, noAccess);
    sim::Scenario s = boardWith({portAt(0x378)}, {}, build.toStdString());
    if (noAccess) {
        // The longest the Linux component says, for an adapter numbered in two digits.
        s.portProblems = {"Permission denied to open /dev/parport0: join the group lp (sudo usermod -aG lp $USER, then "
                          "log in again)"};
        s.smbusProblem = "Permission denied to open /dev/i2c-10: join the group i2c (sudo usermod -aG i2c $USER, then "
                         "log in again)";
    }
    start(s);
    if (search)
        searchFromMediumPanel();
    else
        click("NextCMD");   // the medium panel, laid out as it is shown
    int checked = 0;
    for (QLabel *label : wizard->findChildren<QLabel *>()) {
        if (label->text().isEmpty() || label->isHidden())   // the USB label is never shown
            continue;
        const int width = label->width();
        const QSize needed = label->wordWrap() ? QSize(width, label->heightForWidth(width)) : label->sizeHint();
        QVERIFY2(needed.width() <= width && needed.height() <= label->height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5")
                                .arg(label->objectName())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(width)
                                .arg(label->height())));
        ++checked;
    }
    QCOMPARE(checked, 10);
}

void TestWizard::typedBaseAddressChoosesHost()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    auto *box = control<QLineEdit>(wizard, "SMBusBaseAddressTXT");
    box->selectAll();
    QTest::keyClicks(box, "1f0");
    f->clearCalls();
    click("NextCMD");
    const QStringList calls = f->calls();
    const int select = calls.indexOf("SmbusHost.selectHostBaseAddress(496)");
    QVERIFY(select > calls.lastIndexOf(QRegularExpression("PrinterPortLink.ReadRegister.*")));
    QVERIFY(select < calls.indexOf(QRegularExpression("SmbusHost.ReadRegister.*")));
    // The simulated board has one host: it accepts the base and is searched.
    QCOMPARE(entries().size(), 2);

    // Left as shown, the base chooses nothing.
    click("BackCMD");
    f->clearCalls();
    box->setText("5000");
    click("NextCMD");
    QVERIFY(!f->calls().join(' ').contains("selectHostBaseAddress"));
}

void TestWizard::adapterChoice_data()
{
    QTest::addColumn<QString>("inUse");    // the adapter the component starts with
    QTest::addColumn<int>("pick");         // list entry the user picks, -1 none
    QTest::addColumn<QString>("typed");    // base typed after that, "" none
    QTest::addColumn<QString>("searched");
    QTest::addColumn<QString>("shownBase");
    QTest::newRow("the first, preselected") << "/dev/i2c-0" << -1 << "" << "/dev/i2c-0" << "5000";
    QTest::newRow("the second, preselected as named at start") << "/dev/i2c-1" << -1 << "" << "/dev/i2c-1" << "0";
    QTest::newRow("the second, picked") << "/dev/i2c-0" << 1 << "" << "/dev/i2c-1" << "0";
    QTest::newRow("the first, by its base") << "/dev/i2c-0" << 1 << "5000" << "/dev/i2c-0" << "5000";
    QTest::newRow("a base no adapter has") << "/dev/i2c-0" << 1 << "1F0" << "/dev/i2c-1" << "1F0";
}

void TestWizard::adapterChoice()
{
    QFETCH(QString, inUse);
    QFETCH(int, pick);
    QFETCH(QString, typed);
    QFETCH(QString, searched);
    QFETCH(QString, shownBase);
    // The on-board host first, with nothing on it; the chip on a second
    // adapter without an I/O base.
    sim::Scenario s = boardWith({portAt(0x378)});
    s.smbus.device = "/dev/i2c-0";
    s.smbus.name = "SMBus I801 adapter at 5000";
    s.moreSmbus.push_back({true, 0, {chipAt(0x4C)}, "/dev/i2c-1", "SMBus stub driver"});
    f = std::make_unique<test::ProgramFixture>(s);
    f->program->bus().Smbus().SelectAdapter(inUse.toStdString());
    wizard = f->program->wizard();
    wizard->show();
    click("NextCMD");
    auto *list = control<QComboBox>(wizard, "SMBusAdapterCMB");
    auto *box = control<QLineEdit>(wizard, "SMBusBaseAddressTXT");
    QVERIFY(list->isVisible());
    QCOMPARE(list->itemText(0), QString("/dev/i2c-0 (SMBus I801 adapter at 5000)"));
    QCOMPARE(list->itemText(1), QString("/dev/i2c-1 (SMBus stub driver)"));
    QCOMPARE(list->currentText().left(10), inUse);
    if (pick >= 0)
        list->setCurrentIndex(pick);
    if (!typed.isEmpty()) {
        box->selectAll();
        QTest::keyClicks(box, typed);
    }
    QCOMPARE(box->text(), shownBase);
    QCOMPARE(list->currentText().left(10), searched);   // the list follows a base it knows
    control<QCheckBox>(wizard, "PPCheck")->setChecked(false);
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    click("NextCMD");
    QCOMPARE(QString::fromStdString(f->program->bus().smbusAdapter()), searched);
    QCOMPARE(entries().size(), searched == "/dev/i2c-1" ? 1 : 0);
    if (entries().isEmpty())
        return;
    click("FinishCMD");
    QCOMPARE(control<QLabel>(mainWindow(), "ConnectionLBL")->text(),
             QString("ORT310 at 4Ch on the SMBus, adapter /dev/i2c-1 (simulated board)"));
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
    QCOMPARE(wizard->Panels().size(), size_t(4));
    QCOMPARE(wizard->Panels()[1]->x(), twips(wizard, 1320));
    QCOMPARE(wizard->Panels()[0]->x(), twips(wizard, -5000));
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));

    click("BackCMD");
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(buttons(), QList<bool>({true, false, true, false}));

    // Through the search to the results, and back.
    click("NextCMD");
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    click("NextCMD");
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(buttons(), QList<bool>({true, true, false, true}));
    QCOMPARE(entries().size(), 2);
    QCOMPARE(control<QProgressBar>(wizard, "SearchProgress")->value(), 0);
    wizard->NextCMD_Click();   // Next is off here; its handler only restates the buttons
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(buttons(), QList<bool>({true, true, false, true}));

    click("BackCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(wizard->search().PortFoundCount(), uint8_t(0));
    QCOMPARE(wizard->search().SmbusFoundCount(), uint8_t(0));
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));
    QVERIFY(control<QCheckBox>(wizard, "SMBusCheck")->isChecked());   // as the user left it

    // A new search starts from empty tables.
    click("NextCMD");
    QCOMPARE(entries().size(), 2);
    QCOMPARE(wizard->search().PortFoundCount(), uint8_t(1));
    QCOMPARE(wizard->search().SmbusFoundCount(), uint8_t(1));
}

void TestWizard::nextWithNoMediumStaysPut()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    control<QCheckBox>(wizard, "PPCheck")->setChecked(false);
    f->clearCalls();
    const QList<bool> before = buttons();
    click("NextCMD");
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(buttons(), before);
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].text, QString("Please select a search medium"));
    QCOMPARE(f->ui.messages[0].title, QString("A problem was detected"));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::NoIcon);
    QCOMPARE(f->calls(), QStringList());
    QVERIFY(!mainWindow());
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
    control<QCheckBox>(wizard, "PPCheck")->setChecked(printer);
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(smbus);

    auto *bar = control<QProgressBar>(wizard, "SearchProgress");
    int highest = 0, seenMaximum = 0, steps = 0;
    connect(bar, &QProgressBar::valueChanged, bar, [&](int v) {
        highest = std::max(highest, v);
        seenMaximum = bar->maximum();
        ++steps;
    });
    f->clearCalls();
    click("NextCMD");
    QCOMPARE(seenMaximum ? seenMaximum : bar->maximum(), maximum);
    QCOMPARE(highest, end);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(f->calls().filter("ReadRegister").size(), (printer ? 18 * ports : 0) + (smbus ? 9 : 0));
    QVERIFY(steps > 0 || end == 0);
}

void TestWizard::defaultBoardSearchOrderAndEntries()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    f->clearCalls();
    click("NextCMD");

    QStringList expected = {"PrinterPortBus.PortCount()", "PrinterPortBus.SelectPort(0)",
                            "PrinterPortLink.SetLinkVariant(False)"};
    expected << printerProbes() << "PrinterPortLink.SetLinkVariant(True)" << printerProbes(152) << smbusProbes()
             << "PrinterPortBus.SelectPort(0)" << "PrinterPortBus.PortAddress()";
    QCOMPARE(f->calls(), expected);

    QCOMPARE(entries(), QStringList({"Found an ORT310 at:4Ch, on printer port:378h" + PrinterGap + "Printer 1",
                                     "An ORT310 was found at:18h, on the SMBus" + SmbusGap + "SMBus18"}));
    QCOMPARE(wizard->ResultAddresses(), std::vector<uint8_t>({0x98, 0x18}));
    QCOMPARE(control<QListWidget>(wizard, "SearchResultsLIST")->currentRow(), 0);
    QCOMPARE(control<QLabel>(wizard, "SearchResultsLBL")->text(), QString("Please select one of the ORT310s found above."));
    QCOMPARE(control<QLabel>(wizard, "SearchInsLBL")->text(), QString("Click 'Finish' to Continue"));
    QVERIFY(mainWindow());                 // loaded by the search...
    QVERIFY(!mainWindow()->isVisible());   // ...but not shown
    QVERIFY(wizard->cursor().shape() != Qt::WaitCursor);
}

void TestWizard::chipUnderBothVariantsListedTwiceAndFinishOnSecond()
{
    sim::Scenario s = boardWith({portAt(0x378, {0x4C})});
    s.ports[0].answersEitherVariant = true;
    start(s);
    searchFromMediumPanel();
    const QString readable = "Found an ORT310 at:4Ch, on printer port:378h" + PrinterGap;
    QCOMPARE(entries(), QStringList({readable + "Printer 1", readable + "Printer 2"}));
    QCOMPARE(wizard->search().printerFinds().size(), size_t(2));
    QCOMPARE(wizard->search().printerFinds()[0].linkVariant, false);
    QCOMPARE(wizard->search().printerFinds()[1].linkVariant, true);

    f->state().PrinterPortBase = 0;
    control<QListWidget>(wizard, "SearchResultsLIST")->setCurrentRow(1);
    f->clearCalls();
    click("FinishCMD");

    QCOMPARE(f->calls(), QStringList({"PrinterPortBus.SelectPort(0)", "PrinterPortLink.SetLinkVariant(True)",
                                      "PrinterPortLink.SetDeviceAddress(152)", "BusAccessServer.SelectBus(0)",
                                      "PrinterPortLink.PortBase()"}));
    QCOMPARE(f->state().BusMedium, int16_t(1));
    QCOMPARE(f->state().DeviceAddress, int16_t(152));
    QCOMPARE(f->state().PrinterPortBase, uint16_t(0x378));
    QVERIFY(mainWindow() && mainWindow()->isVisible());
    QVERIFY(!wizard || !wizard->isVisible());
    QCOMPARE(f->ends, 0);
}

void TestWizard::finishOnSmbusEntry()
{
    start(boardWith({portAt(0x378)}, {0x4C}));
    click("NextCMD");
    control<QCheckBox>(wizard, "PPCheck")->setChecked(false);
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    click("NextCMD");
    QCOMPARE(entries(), QStringList({"An ORT310 was found at:4Ch, on the SMBus" + SmbusGap + "SMBus4C"}));
    QCOMPARE(wizard->ResultAddresses(), std::vector<uint8_t>({0x4C}));

    f->state().PrinterPortBase = 0x1234;
    f->clearCalls();
    click("FinishCMD");
    QCOMPARE(f->calls(), QStringList({"SmbusHost.SetDeviceAddress(76)", "BusAccessServer.SelectBus(1)"}));
    QCOMPARE(f->state().BusMedium, int16_t(0));
    QCOMPARE(f->state().DeviceAddress, int16_t(0x4C));
    QCOMPARE(f->state().PrinterPortBase, uint16_t(0x1234));
    QCOMPARE(f->program->bus().selectedBus(), 1);
    QCOMPARE(f->program->bus().Smbus().deviceAddress(), uint8_t(0x4C));
    QVERIFY(mainWindow() && mainWindow()->isVisible());
    QVERIFY(!wizard || !wizard->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!wizard);   // unloaded, and only hidden as far as the program is concerned
    QCOMPARE(f->ends, 0);
}

void TestWizard::searchWithoutFindsAndBackFromResults()
{
    start(boardWith({portAt(0x378), portAt(0x278)}));
    searchFromMediumPanel();
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(control<QLabel>(wizard, "SearchResultsLBL")->text(),
             QString("Sorry, no ORT310s were found. Please check all connections and try again"));
    QCOMPARE(control<QLabel>(wizard, "SearchInsLBL")->text(), QString("Click Back to continue..."));
    QCOMPARE(buttons(), QList<bool>({true, true, false, false}));
    QCOMPARE(f->calls().filter("ReadRegister").size(), 36);

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
    QCOMPARE(f->ui.messages.size(), 0);
    QCOMPARE(entries(), QStringList({"Found an ORT310 at:18h, on printer port:278h" + PrinterGap + "Printer 1"}));
    QCOMPARE(f->calls().filter("ReadRegister").size(), 36);
}

void TestWizard::programFaultDuringSearchIsShown()
{
    // A fault that is not the component refusing a transfer (here the chip
    // model's own) is not "no chip": it is shown, and the wizard is usable.
    sim::ChipSetup faulty = chipAt(0x18);
    faulty.local = [](double t) -> double {
        if (t > 1)
            throw std::logic_error("temperature model fault");
        return 25;
    };
    sim::Scenario s = boardWith({portAt(0x378, {0x4C})});
    s.smbus.chips.push_back(faulty);
    start(s);
    f->clock().advance(30);
    click("NextCMD");
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    click("NextCMD");

    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].text,
             QString("The program met a fault of its own (temperature model fault).\n\nThe operation was abandoned."));
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(buttons(), QList<bool>({true, true, true, false}));
    QVERIFY(wizard->cursor().shape() != Qt::WaitCursor);
    QCOMPARE(f->ends, 0);
}

void TestWizard::moreThanNinePrinterFindsFinish()
{
    start(boardWith({portAt(0x378, {0x18, 0x19, 0x1A, 0x29, 0x2A, 0x2B, 0x4C, 0x4D, 0x4E}), portAt(0x278, {0x2A, 0x4E})}));
    searchFromMediumPanel();
    const QStringList list = entries();
    QCOMPARE(list.size(), 11);
    QCOMPARE(list[8], "Found an ORT310 at:4Eh, on printer port:378h" + PrinterGap + "Printer 9");
    QCOMPARE(list[9], "Found an ORT310 at:2Ah, on printer port:278h" + PrinterGap + "Printer10");
    QCOMPARE(list[10], "Found an ORT310 at:4Eh, on printer port:278h" + PrinterGap + "Printer11");

    control<QListWidget>(wizard, "SearchResultsLIST")->setCurrentRow(10);
    click("FinishCMD");
    QCOMPARE(f->ends, 0);
    QCOMPARE(f->state().BusMedium, int16_t(1));
    QCOMPARE(f->state().DeviceAddress, int16_t(0x9C));
    QCOMPARE(f->state().PrinterPortBase, uint16_t(0x278));
    QCOMPARE(f->program->bus().PrinterPort().Link().deviceAddress(), uint8_t(0x9C));
    QVERIFY(mainWindow() && mainWindow()->isVisible());
}

void TestWizard::finishWithBrokenTablesOpensNothing()
{
    // An entry that the search's tables do not back is a fault of the
    // program: it is shown, nothing is configured and the wizard stays.
    start(sim::Scenario::defaultBoard());
    searchFromMediumPanel();
    auto *list = control<QListWidget>(wizard, "SearchResultsLIST");
    list->addItem("Found an ORT310 at:4Ch, on printer port:378h" + PrinterGap + "Printer 5");
    list->setCurrentRow(1);
    f->state().BusMedium = 7;
    f->clearCalls();
    click("FinishCMD");

    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY2(f->ui.messages[0].text.startsWith("The program met a fault of its own"), qPrintable(f->ui.messages[0].text));
    QCOMPARE(f->calls(), QStringList());
    QCOMPARE(f->state().BusMedium, int16_t(7));
    QVERIFY(mainWindow() && !mainWindow()->isVisible());
    QVERIFY(wizard && wizard->isVisible());
    QVERIFY(!wizard->Finishing());
    QCOMPARE(f->ends, 0);

    // The entry the search made still finishes.
    list->setCurrentRow(0);
    click("FinishCMD");
    QVERIFY(mainWindow() && mainWindow()->isVisible());
    QCOMPARE(f->state().BusMedium, int16_t(1));
}

void TestWizard::closingBeforeFinishEndsProgram_data()
{
    QTest::addColumn<bool>("useCancel");
    QTest::addColumn<bool>("afterSearch");
    QTest::newRow("frame, before a search") << false << false;
    QTest::newRow("frame, main window loaded") << false << true;
    QTest::newRow("Cancel, before a search") << true << false;
    QTest::newRow("Cancel, main window loaded") << true << true;
}

void TestWizard::closingBeforeFinishEndsProgram()
{
    QFETCH(bool, useCancel);
    QFETCH(bool, afterSearch);
    start(sim::Scenario::defaultBoard());
    if (afterSearch) {
        searchFromMediumPanel();
        QVERIFY(mainWindow());
    }
    if (useCancel)
        click("CancelCMD");
    else
        wizard->close();
    QCOMPARE(f->ends, 1);
    QVERIFY(!mainWindow());
    QVERIFY(!f->program->existingWizard());
    // The main window's unload switched the board off, when it was loaded.
    QCOMPARE(f->calls().contains("OutputLatch.SetValue(0)"), afterSearch);
}

void TestWizard::keyboardWalksToTheMainWindow_data()
{
    QTest::addColumn<bool>("fromOtherControls");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("Return on each forward button") << false << Qt::Key_Return << false;
    QTest::newRow("Enter, from a check box and the list") << true << Qt::Key_Enter << false;
    QTest::newRow("a double-click on the entry") << true << Qt::Key_Return << true;
}

void TestWizard::keyboardWalksToTheMainWindow()
{
    QFETCH(bool, fromOtherControls);
    QFETCH(Qt::Key, key);
    QFETCH(bool, doubleClick);
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    start(sim::Scenario::defaultBoard());
    QVERIFY(activate());

    press(key, modifiers);
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(defaultButton(), QString("NextCMD"));
    QCOMPARE(focused(), QString("NextCMD"));
    if (fromOtherControls) {
        // Shift+Tab to the SMBus box, Space ticks it, Return still means Next.
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        QCOMPARE(focused(), QString("SMBusCheck"));
        press(Qt::Key_Space);
        QVERIFY(control<QCheckBox>(wizard, "SMBusCheck")->isChecked());
    }
    press(key, modifiers);
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(entries().size(), fromOtherControls ? 2 : 1);
    QCOMPARE(defaultButton(), QString("FinishCMD"));
    // The list has the keys: Down reaches the SMBus chip, Return finishes
    // on it, and so does a double-click.
    QCOMPARE(focused(), QString("SearchResultsLIST"));
    auto *list = control<QListWidget>(wizard, "SearchResultsLIST");
    if (doubleClick) {
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    } else {
        if (fromOtherControls)
            press(Qt::Key_Down);
        press(key, modifiers);
    }
    QVERIFY(mainWindow() && mainWindow()->isVisible());
    QCOMPARE(f->state().BusMedium, int16_t(fromOtherControls ? 0 : 1));
    QCOMPARE(f->ends, 0);
}

void TestWizard::escapeCancels_data()
{
    QTest::addColumn<int>("panel");
    QTest::newRow("welcome") << 1;
    QTest::newRow("medium") << 2;
    QTest::newRow("results") << 4;
}

void TestWizard::escapeCancels()
{
    QFETCH(int, panel);
    start(sim::Scenario::defaultBoard());
    QVERIFY(activate());
    while (wizard->CurrentPanel() < panel)
        press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), panel);
    press(Qt::Key_Escape);
    QCOMPARE(f->ends, 1);
    QVERIFY(!mainWindow());
}

void TestWizard::nothingFoundReturnGoesBack()
{
    // With nothing to finish on, the way forward is back to the media.
    start(boardWith({portAt(0x378)}));
    QVERIFY(activate());
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(entries(), QStringList());
    QCOMPARE(defaultButton(), QString("BackCMD"));
    QCOMPARE(focused(), QString("BackCMD"));
    press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), 2);
    QCOMPARE(defaultButton(), QString("NextCMD"));
    QCOMPARE(focused(), QString("NextCMD"));
}

void TestWizard::returnPressesTheFocusedButton()
{
    // As in a dialog: a button the user tabbed to takes Return, not the default.
    start(sim::Scenario::defaultBoard());
    QVERIFY(activate());
    press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), 2);
    press(Qt::Key_Backtab);
    QCOMPARE(focused(), QString("BackCMD"));
    QCOMPARE(defaultButton(), QString("NextCMD"));
    press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), 1);
    QCOMPARE(focused(), QString("NextCMD"));
}

void TestWizard::finishFollowsTheSelection()
{
    start(sim::Scenario::defaultBoard());
    click("NextCMD");
    control<QCheckBox>(wizard, "SMBusCheck")->setChecked(true);
    click("NextCMD");
    auto *list = control<QListWidget>(wizard, "SearchResultsLIST");
    auto *finish = control<QPushButton>(wizard, "FinishCMD");
    QCOMPARE(list->count(), 2);
    QVERIFY(finish->isEnabled());

    // Ctrl+click on the selected entry deselects it; the current row stays.
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(!finish->isEnabled());
    // Even when its handler runs, Finish with nothing selected changes nothing.
    f->clearCalls();
    wizard->FinishCMD_Click();
    QCOMPARE(f->ends, 0);
    QCOMPARE(f->calls(), QStringList());
    QVERIFY(mainWindow() && !mainWindow()->isVisible());
    QVERIFY(wizard->isVisible());
    QVERIFY(!wizard->Finishing());

    // Selecting an entry gives Finish back, on that entry.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(finish->isEnabled());
    click("FinishCMD");
    QVERIFY(mainWindow() && mainWindow()->isVisible());
    QCOMPARE(f->state().BusMedium, int16_t(0));
    QCOMPARE(f->state().DeviceAddress, int16_t(0x18));
}

void TestWizard::tabOrderFollowsTheLayout()
{
    start(sim::Scenario::defaultBoard());
    QVERIFY(activate());
    const auto tabRound = [this](int n) {
        QStringList names;
        for (int i = 0; i < n; ++i) {
            names << focused();
            press(Qt::Key_Tab);
        }
        return names;
    };
    click("NextCMD");
    control<QCheckBox>(wizard, "PPCheck")->setFocus();
    // Top to bottom, left to right; the hidden USB box and the disabled
    // Finish are passed over.
    QCOMPARE(tabRound(7), QStringList({"PPCheck", "SMBusCheck", "SMBusBaseAddressTXT", "CancelCMD", "BackCMD",
                                       "NextCMD", "PPCheck"}));
    press(Qt::Key_Return);
    QCOMPARE(wizard->CurrentPanel(), 4);
    QCOMPARE(tabRound(5), QStringList({"SearchResultsLIST", "CancelCMD", "BackCMD", "FinishCMD", "SearchResultsLIST"}));
}

void TestWizard::missingControlFailsOneCase()
{
    // A control that is not there fails the case that asks for it and hands
    // back a stand-in, so the test program goes on to its next case.
    start(sim::Scenario::defaultBoard());
    QLabel *found = control<QLabel>(wizard, "WelcomeLBL");
    QVERIFY(found);
    QVERIFY(!QTest::currentTestFailed());
    QEXPECT_FAIL("", "asks for a control that is not there", Continue);
    QPushButton *missing = control<QPushButton>(wizard, "NoSuchButton");
    QVERIFY(missing);
    QVERIFY(missing->isHidden());
    QCOMPARE(missing->parentWidget(), static_cast<QWidget *>(wizard.data()));
    QEXPECT_FAIL("", "asks for a timer that is not there", Continue);
    QTimer *timer = control<QTimer>(wizard, "Timer9");
    QVERIFY(timer && !timer->isActive());
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
