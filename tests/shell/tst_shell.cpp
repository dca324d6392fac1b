#include "link/chip.h"
#include "shell/application.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "shell/statusline.h"
#include "component/buserror.h"
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <cstdio>

using namespace ort;
using test::control;

namespace {

// A receiver whose handler lets a bus failure through, as a handler without
// its own guard would.
class FailingReceiver : public QObject {
public:
    explicit FailingReceiver(Program &program) : m_program(program) {}
    int handled = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++handled;
        m_program.state().BusMedium = chip::MediumSmbus;
        m_program.state().DeviceAddress = 0x4D;   // nobody there
        m_program.link().ReadRegister();
        return true;
    }

private:
    Program &m_program;
};

// Sends one event through the application's dispatch; false when an error
// escaped it.
bool dispatched(QObject *receiver)
{
    QEvent event(QEvent::User);
    try {
        QCoreApplication::sendEvent(receiver, &event);
        return true;
    } catch (...) {
        return false;
    }
}

// Runs a start-up step that reports on a log file; what it returned and
// what it printed there.
template <typename Step>
std::pair<bool, QString> printedBy(Step &&step)
{
    std::FILE *log = std::tmpfile();
    if (!log)
        return {false, QStringLiteral("(no temporary file)")};
    const bool result = step(log);
    std::rewind(log);
    char printed[256] = {};
    const size_t n = std::fread(printed, 1, sizeof printed - 1, log);
    std::fclose(log);
    return {result, QString::fromUtf8(printed, qsizetype(n))};
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void splashPutsComponentIntoStartUpState();
    void splashKeysAndClicks();
    void splashClickTargets_data();
    void splashClickTargets();
    void windowsCentreThemselvesOnLoad();
    void splashOpensTheWizardOnce();
    void aboutBoxIsOneModelessWindow();
    void mainWindowFrame();
    void quitReleasesPortAndEnds();
    void quitWithoutPrinterPortSkipsPortWrite();
    void closingMainWindowOnlyResetsLatch();
    void applicationShowsAnErrorThatEscapesAHandler();
    void startUpShowsTheSplashAndHandsErrorsToTheDialogs();
    void commandLine_data();
    void commandLine();
    void finishOnEitherRouteLandsOnTheMainWindow_data();
    void finishOnEitherRouteLandsOnTheMainWindow();
    void startUpFailureIsReportedInWords();
    void ctrlQQuits();
    void statusLineNamesTheConnection_data();
    void statusLineNamesTheConnection();
    void connectionTexts_data();
    void connectionTexts();
    void everyWindowCarriesTheProgramsIcon();
    void mainWindowTabOrder();

private:
    std::unique_ptr<test::ProgramFixture> f;
};

void TestShell::init()
{
    f = std::make_unique<test::ProgramFixture>();
}

void TestShell::cleanup()
{
    f.reset();
}

void TestShell::splashPutsComponentIntoStartUpState()
{
    frmSplash *splash = f->program->showSplash();
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.SetLinkVariant(True)", "PrinterPortLink.SetDeviceAddress(212)",
                                      "PrinterPortLink.SetPortBase(888)"}));
    QCOMPARE(f->state().BusMedium, int16_t(1));
    QCOMPARE(control<QLabel>(splash, "lblCompanyProduct")->text(), QString("ORT310 Evaluation Software"));
    QCOMPARE(control<QLabel>(splash, "lblVersion")->text(), QString("Version 5.0"));
    QCOMPARE(control<QLabel>(splash, "lblPlatform")->text(), QString("Win95/98/NT/2000/ME"));
    QCOMPARE(control<QLabel>(splash, "Label1")->text(), QString("Press any Key to Continue."));
    QVERIFY(control<QLabel>(splash, "lblCompany")->text().contains("simulated evaluation board"));
    QVERIFY(splash->isVisible());
    // The product name stands out: bold and the largest caption; the version is bold.
    const QFont product = control<QLabel>(splash, "lblCompanyProduct")->font();
    QVERIFY(product.bold());
    for (const char *other : {"lblVersion", "lblPlatform", "Label1", "lblCopyright"})
        QVERIFY2(product.pointSizeF() > control<QLabel>(splash, other)->font().pointSizeF(), other);
    QVERIFY(control<QLabel>(splash, "lblVersion")->font().bold());
    QVERIFY(!control<QLabel>(splash, "lblPlatform")->font().bold());
    // The notice lines keep the window's own font.
    for (const char *notice : {"lblCopyright", "lblCompany", "lblWarning"})
        QCOMPARE(control<QLabel>(splash, notice)->font(), splash->font());
}

void TestShell::splashKeysAndClicks()
{
    frmSplash *splash = f->program->showSplash();
    QTest::keyClick(splash, Qt::Key_Left);
    QTest::keyClick(splash, Qt::Key_F5);
    QTest::mouseClick(control<QLabel>(splash, "Label1"), Qt::LeftButton);
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(2, 2));   // the background
    QVERIFY(!f->program->existingWizard());
    QCOMPARE(f->program->splash(), splash);

    QTest::keyClick(splash, Qt::Key_A);
    QVERIFY(f->program->existingWizard());
    QVERIFY(f->program->existingWizard()->isVisible());
    QVERIFY(!f->program->splash());

    // A click on one of the captions opens it too, from a fresh start: a
    // second program beside the first, on a board of its own; a press that
    // is released away from the caption does not.
    f->program->existingWizard()->hide();
    f->clearCalls();
    test::SimBoard otherBoard;
    Program second(f->ui, otherBoard.takeServer(), otherBoard.clock);
    frmSplash *s2 = second.showSplash();
    QCOMPARE(otherBoard.calls().size(), 3);   // its start-up state went to its own component
    QCOMPARE(f->calls(), QStringList());
    QLabel *version = control<QLabel>(s2, "lblVersion");
    QTest::mousePress(version, Qt::LeftButton);
    QTest::mouseRelease(version, Qt::LeftButton, {}, QPoint(-20, version->height() / 2));
    QVERIFY(!second.existingWizard());
    QTest::mouseClick(version, Qt::LeftButton);
    QVERIFY(second.existingWizard());
    QVERIFY(!second.splash());
}

void TestShell::splashClickTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("opens");
    for (const char *name : {"Frame1", "Picture1", "lblCompanyProduct", "lblVersion", "lblPlatform", "lblCopyright",
                             "lblCompany", "lblWarning"})
        QTest::newRow(name) << name << true;
    QTest::newRow("Label1") << "Label1" << false;
    QTest::newRow("frmSplash") << "frmSplash" << false;   // the background round the frame
}

void TestShell::splashClickTargets()
{
    QFETCH(QString, target);
    QFETCH(bool, opens);
    frmSplash *splash = f->program->showSplash();
    QWidget *widget = target == "frmSplash" ? splash : control<QWidget>(splash, qPrintable(target));
    const QPoint at = target == "frmSplash" ? QPoint(2, 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QCOMPARE(bool(f->program->existingWizard()), opens);
    QCOMPARE(bool(f->program->splash()), !opens);
}

void TestShell::windowsCentreThemselvesOnLoad()
{
    const auto centred = [](QWidget *w) {
        const QRect screen = w->screen()->geometry();
        return w->pos() == QPoint(screen.left() + (screen.width() - w->width()) / 2,
                                  screen.top() + (screen.height() - w->height()) / 2);
    };
    QVERIFY(centred(f->program->showSplash()));
    QVERIFY(centred(f->program->wizard()));
    f->program->loadMainWindow();
    QVERIFY(f->program->mainWindow() && centred(f->program->mainWindow()));
    QVERIFY(centred(f->program->showAbout()));
    QVERIFY(f->program->mainWindow()->pos() != f->program->about()->pos());   // each by its own size
}

void TestShell::splashOpensTheWizardOnce()
{
    // A second key (a repeat, say) may reach the splash after the first one
    // opened the wizard and before the splash is gone: it must not open the
    // wizard again, not even after that wizard was closed.
    QPointer<frmSplash> splash = f->program->showSplash();
    QTest::keyClick(splash, Qt::Key_A);
    InitForm *wizard = f->program->existingWizard();
    QVERIFY(wizard && wizard->isVisible());
    QTest::keyClick(splash, Qt::Key_B);
    QCOMPARE(f->program->existingWizard(), wizard);

    wizard->close();   // from the frame: the program ends
    QCOMPARE(f->ends, 1);
    QVERIFY(splash);   // not deleted yet
    QTest::keyClick(splash, Qt::Key_C);
    QTest::mouseClick(control<QLabel>(splash, "lblVersion"), Qt::LeftButton);
    QVERIFY(!f->program->existingWizard());
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestShell::aboutBoxIsOneModelessWindow()
{
    f->program->showMainWindow();
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main);
    QTest::mouseClick(control<QPushButton>(main, "Command7"), Qt::LeftButton);
    QPointer<frmAbout> about = f->program->about();
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QString("About the ORT310 Evaluation Software."));
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QString("Velmora ORT310 Evaluation Software"));
    QCOMPARE(control<QLabel>(about, "lblDescription")->text(),
             QString("This software can be used to read and write to the ORT310 using either the parallel "
                     "printer port or the SMBus."));
    QCOMPARE(control<QLabel>(about, "lblVersion")->text(), QString("Version 5.0"));
    QTest::mouseClick(control<QPushButton>(main, "Command7"), Qt::LeftButton);
    QCOMPARE(f->program->about(), about.data());
    QTest::mouseClick(control<QPushButton>(about, "cmdOK"), Qt::LeftButton);
    QVERIFY(!f->program->about());
    QVERIFY(!about || !about->isVisible());

    // From the keyboard: Return is OK, Escape closes it too.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QPointer<frmAbout> box = f->program->showAbout();
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(QApplication::focusWidget(), key);
        QVERIFY2(!f->program->about(), key == Qt::Key_Return ? "Return" : "Escape");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!box);
    }
}

void TestShell::mainWindowFrame()
{
    f->state().ReadValue = 77;
    f->program->loadMainWindow();
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main);
    f->program->loadMainWindow();
    QCOMPARE(f->program->mainWindow(), main);   // loading it again does nothing
    QVERIFY(!main->isVisible());
    QCOMPARE(f->state().ReadValue, int16_t(0));
    QCOMPARE(main->windowTitle(), QString("Velmora - ORT310 Evaluation Software"));
    QCOMPARE(control<QLabel>(main, "Label24")->text(), QString("ORT310"));
    QCOMPARE(control<QLabel>(main, "Label25")->text(), QString("Evaluation Software"));
    QCOMPARE(control<QLabel>(main, "Label26")->text(), QString("(Ver. 5.0)"));
    QVERIFY(!control<QLabel>(main, "Picture1")->pixmap().isNull());
    QCOMPARE(control<QPushButton>(main, "Command7")->text(), QString("About this software"));
    QCOMPARE(control<QPushButton>(main, "Quit")->text(), QString("Quit"));
    auto *tabs = control<QTabWidget>(main, "MainTab");
    QCOMPARE(tabs->tabText(0), QString("Main"));
    QVERIFY(f->calls().isEmpty());   // loading talks to nobody
}

void TestShell::quitReleasesPortAndEnds()
{
    f->state().PrinterPortBase = 0x378;
    f->program->showMainWindow();
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main);
    f->board.backend->port(0).writeData(0x55);
    QTest::mouseClick(control<QPushButton>(main, "Quit"), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.WritePort(888,0)", "OutputLatch.SetValue(0)"}));
    QCOMPARE(f->board.backend->port(0).dataRegister(), uint8_t(0));
    QCOMPARE(f->board.backend->port(0).controlRegister(), uint8_t(0));
    QCOMPARE(f->ends, 1);
    QVERIFY(!f->program->mainWindow());
}

void TestShell::quitWithoutPrinterPortSkipsPortWrite()
{
    f->program->showMainWindow();
    QVERIFY(f->program->mainWindow());
    QTest::mouseClick(control<QPushButton>(f->program->mainWindow(), "Quit"), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"OutputLatch.SetValue(0)"}));
    QVERIFY(f->ui.messages.isEmpty());
    QCOMPARE(f->ends, 1);
}

void TestShell::closingMainWindowOnlyResetsLatch()
{
    f->state().PrinterPortBase = 0x378;
    f->program->showMainWindow();
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main);
    f->program->showAbout();
    main->close();
    QCOMPARE(f->calls(), QStringList({"OutputLatch.SetValue(0)"}));
    QCOMPARE(f->ends, 0);
    QVERIFY(!f->program->mainWindow());
    QVERIFY(f->program->about());   // the about box stays until it is closed
}

void TestShell::applicationShowsAnErrorThatEscapesAHandler()
{
    auto *app = static_cast<Application *>(QCoreApplication::instance());
    QCOMPARE(QCoreApplication::applicationName(), QString("ORT310 Evaluation Software"));
    QCOMPARE(QCoreApplication::applicationVersion(), QString("5.0"));
    app->setUi(&f->ui);
    FailingReceiver receiver(*f->program);
    const bool first = dispatched(&receiver), second = dispatched(&receiver);
    app->setUi(nullptr);
    QVERIFY2(first && second, "the error escaped the application's event dispatch");
    // Each event was handled, failed, and was shown; the program went on.
    QCOMPARE(receiver.handled, 2);
    QCOMPARE(f->ui.messages.size(), 2);
    QCOMPARE(f->ui.messages[1].text, QString("No acknowledge from device at 4Dh.\n\nThe operation was abandoned."));
    QCOMPARE(f->ui.messages[1].icon, QMessageBox::Critical);
    QCOMPARE(f->ends, 0);
}

void TestShell::startUpShowsTheSplashAndHandsErrorsToTheDialogs()
{
    auto *app = static_cast<Application *>(QCoreApplication::instance());
    QVERIFY(startProgram(*app, *f->program, stderr));
    QVERIFY(f->program->splash() && f->program->splash()->isVisible());
    QCOMPARE(f->calls().size(), 3);   // the splash's start-up state

    // From now on what a handler lets through is shown in the program's dialogs.
    FailingReceiver receiver(*f->program);
    const bool delivered = dispatched(&receiver);
    app->setUi(nullptr);
    QVERIFY2(delivered, "the error escaped the application's event dispatch");
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].text, QString("No acknowledge from device at 4Dh.\n\nThe operation was abandoned."));
}

void TestShell::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("variable");   // ORT310_BUS
    QTest::addColumn<int>("status");         // -1: the program starts
    QTest::addColumn<QString>("bus");
    QTest::addColumn<QString>("printed");    // the start of the answer or the refusal
    QTest::newRow("the option wins over the variable")
        << QStringList{"--bus", "linux", "--i2c", "/dev/i2c-3"} << "sim" << -1 << "linux" << "";
    QTest::newRow("the variable over the default") << QStringList{} << "linux" << -1 << "linux" << "";
    QTest::newRow("neither: auto") << QStringList{} << "" << -1 << "auto" << "";
    QTest::newRow("a bus no backend has") << QStringList{"--bus=bogus"} << "sim" << 1 << ""
                                          << "Unknown bus \"bogus\" in --bus (use auto, sim, linux)\n";
    QTest::newRow("a variable no backend has") << QStringList{} << "bogus" << 1 << ""
                                               << "Unknown bus \"bogus\" in ORT310_BUS (use auto, sim, linux)\n";
    QTest::newRow("an unknown option") << QStringList{"--frobnicate"} << "" << 1 << ""
                                       << "Unknown option 'frobnicate'.\n";
    QTest::newRow("a stray argument") << QStringList{"linux"} << "" << 1 << ""
                                      << "Unexpected argument \"linux\"\n";
    QTest::newRow("a board file") << QStringList{"--board", ORT_BOARDS_DIR "/hot.json"} << "" << -1 << "auto" << "";
    QTest::newRow("a board file and the bus linux") << QStringList{"--board", "b.json"} << "linux" << 1 << ""
        << "--board describes a simulated board, but ORT310_BUS linux asks for this machine's hardware\n";
    QTest::newRow("a board file that cannot be read") << QStringList{"--board", "/nonexistent/b.json"} << "" << 1 << ""
        << "The board file /nonexistent/b.json cannot be read: No such file or directory\n";
    QTest::newRow("version") << QStringList{"--version"} << "bogus" << 0 << "" << "ORT310 Evaluation Software 5.0\n";
    QTest::newRow("help") << QStringList{"--help"} << "" << 0 << "" << "Usage: ";
}

void TestShell::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, variable);
    QFETCH(int, status);
    QFETCH(QString, bus);
    QFETCH(QString, printed);
    const QByteArray saved = qgetenv("ORT310_BUS");
    qputenv("ORT310_BUS", variable.toUtf8());
    const CommandLine commandLine = readCommandLine(QStringList{"ort310eval"} + arguments);
    qputenv("ORT310_BUS", saved);
    QCOMPARE(commandLine.options.has_value(), status < 0);
    if (commandLine.options) {
        QCOMPARE(QString::fromStdString(commandLine.options->bus), bus);
        QCOMPARE(commandLine.options->scenario != nullptr, !commandLine.options->board.empty());
        QCOMPARE(commandLine.answer + commandLine.refusal, QString());
        return;
    }
    // A refusal is said in words; an answer is the text for the terminal.
    const QString text = status ? commandLine.refusal + "\n" : commandLine.answer;
    QCOMPARE(commandLine.answer.isEmpty(), status == 1);
    QVERIFY2(text.startsWith(printed), qPrintable(text));
    if (arguments == QStringList{"--help"})
        QVERIFY2(text.contains("--bus <name>") && text.contains("--i2c <device>") && text.contains("--wire-trace <file>"),
                 qPrintable(text));
}

void TestShell::finishOnEitherRouteLandsOnTheMainWindow_data()
{
    QTest::addColumn<test::Route>("route");
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("portBase");
    QTest::newRow("printer port") << test::Route::PrinterPort << 1 << 0x98 << 0x378;
    QTest::newRow("SMBus") << test::Route::Smbus << 0 << 0x18 << 0;
}

void TestShell::finishOnEitherRouteLandsOnTheMainWindow()
{
    QFETCH(test::Route, route);
    QFETCH(int, medium);
    QFETCH(int, address);
    QFETCH(int, portBase);
    MainMenuForm *main = f->finishOn(route);
    QVERIFY(main && main->isVisible());
    QCOMPARE(f->state().BusMedium, int16_t(medium));
    QCOMPARE(f->state().DeviceAddress, int16_t(address));
    QCOMPARE(f->state().PrinterPortBase, uint16_t(portBase));
    QVERIFY(!f->program->existingWizard() || !f->program->existingWizard()->isVisible());

    // The shared state now reaches the chosen chip through the link.
    f->state().RegisterPointer = 0xFE;
    f->program->link().ReadRegister();
    QCOMPARE(f->state().ReadValue, int16_t(0x5C));
    QCOMPARE(f->calls().size(), medium == 1 ? 2 : 1);
    QCOMPARE(f->ends, 0);
}

namespace {

// A machine whose component fails as soon as the splash asks it anything of
// its own: nothing can start.
class BrokenBackend final : public Backend {
public:
    std::string name() const override { return "broken"; }
    std::string description() const override { throw BusError("The evaluation board's adapter does not answer"); }
    int portCount() override { return 0; }
    ParallelPort &port(int) override { throw BusError("no port"); }
    SmbusTransport &smbus() override { throw BusError("no SMBus"); }
    std::string buildNumber() override { return "2195"; }
};

} // namespace

void TestShell::startUpFailureIsReportedInWords()
{
    f.reset();
    test::ProgramFixture broken(std::make_unique<BrokenBackend>(), std::make_shared<ManualClock>());
    auto *app = static_cast<Application *>(QCoreApplication::instance());
    const auto [started, printed] = printedBy([&](std::FILE *log) { return startProgram(*app, *broken.program, log); });
    app->setUi(nullptr);
    QVERIFY(!started);
    const QString text = "The evaluation board's adapter does not answer";
    QCOMPARE(printed, "ORT310 Evaluation Software: " + text + "\n");
    QCOMPARE(broken.ui.messages.size(), 1);
    QCOMPARE(broken.ui.messages[0].text, text);   // no error number
    QCOMPARE(broken.ui.messages[0].title, QString("ORT310 Evaluation Software"));
    QCOMPARE(broken.ui.messages[0].icon, QMessageBox::Critical);
    // No half-loaded splash is left behind for the event loop to wait on.
    QVERIFY(!broken.program->splash());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(test::leftWindows(), QStringList());
}

void TestShell::ctrlQQuits()
{
    MainMenuForm *main = f->finishOn(test::Route::PrinterPort);
    QVERIFY(main);
    QVERIFY(QTest::qWaitForWindowActive(main));
    // From wherever the focus is in the window, as the Quit button does.
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && focus->window() == main);
    QTest::keyClick(focus, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.WritePort(888,0)", "OutputLatch.SetValue(0)"}));
    QCOMPARE(f->ends, 1);
}

void TestShell::statusLineNamesTheConnection_data()
{
    QTest::addColumn<test::Route>("route");
    QTest::addColumn<QString>("text");
    QTest::newRow("printer port") << test::Route::PrinterPort << "ORT310 at 4Ch on printer port 378h (simulated board)";
    QTest::newRow("SMBus") << test::Route::Smbus << "ORT310 at 18h on the SMBus at 5000h (simulated board)";
}

void TestShell::statusLineNamesTheConnection()
{
    QFETCH(test::Route, route);
    QFETCH(QString, text);
    MainMenuForm *main = f->finishOn(route);
    QVERIFY(main);
    QCOMPARE(control<QLabel>(control<QWidget>(main, "StatusLine"), "ConnectionLBL")->text(), text);
    main->showConnection();
    QVERIFY(f->calls().isEmpty());   // asked without a transfer
}

void TestShell::connectionTexts_data()
{
    QTest::addColumn<bool>("printerPort");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("portBase");
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<uint>("smbusBase");
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<QString>("text");
    QTest::newRow("printer port, simulated") << true << 0x4C << 0x378 << "" << 0u << true
                                             << "ORT310 at 4Ch on printer port 378h (simulated board)";
    QTest::newRow("printer port, real") << true << 0x18 << 0xBC00 << "/dev/i2c-0" << 0x5000u << false
                                        << "ORT310 at 18h on printer port BC00h";
    QTest::newRow("SMBus, simulated") << false << 0x18 << 0x378 << "" << 0x5000u << true
                                      << "ORT310 at 18h on the SMBus at 5000h (simulated board)";
    QTest::newRow("SMBus, adapter at a base") << false << 0x18 << 0 << "/dev/i2c-0" << 0x5000u << false
                                              << "ORT310 at 18h on the SMBus, adapter /dev/i2c-0 at 5000h";
    QTest::newRow("SMBus, adapter without a base") << false << 0x4C << 0 << "/dev/i2c-3" << 0u << false
                                                   << "ORT310 at 4Ch on the SMBus, adapter /dev/i2c-3";
    QTest::newRow("no chip chosen") << true << 0 << 0x378 << "" << 0u << true << "";
}

void TestShell::connectionTexts()
{
    QFETCH(bool, printerPort);
    QFETCH(int, address);
    QFETCH(int, portBase);
    QFETCH(QString, adapter);
    QFETCH(uint, smbusBase);
    QFETCH(bool, simulated);
    QFETCH(QString, text);
    Connection c;
    c.chip = printerPort ? ChipAddress::printerPort(uint8_t(address), uint16_t(portBase))
                         : ChipAddress::smbus(uint8_t(address), adapter);
    c.smbusBase = smbusBase;
    c.simulated = simulated;
    QCOMPARE(connectionText(c), text);
}

void TestShell::everyWindowCarriesTheProgramsIcon()
{
    // The committed pictures are built into the program, one per size.
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage picture(QStringLiteral(":/icons/%1.png").arg(side));
        QCOMPARE(picture.size(), QSize(side, side));
    }
    const QImage expected = QImage(":/icons/32.png").convertToFormat(QImage::Format_ARGB32);
    // The application hands it to every window (make test-desktop sees it
    // on each window under X).
    const auto carries = [&](QWidget *w) {
        return w->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32) == expected;
    };
    QVERIFY(carries(f->program->showSplash()));
    QVERIFY(carries(f->program->wizard()));
    f->program->showMainWindow();
    QVERIFY(carries(f->program->mainWindow()));
    QVERIFY(carries(f->program->showAbout()));
    // Message boxes without a parent, through the application.
    QVERIFY(QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32) == expected);
    QCOMPARE(QGuiApplication::desktopFileName(), QString("com.velmora.ort310eval"));
}

void TestShell::mainWindowTabOrder()
{
    f->program->showMainWindow();
    MainMenuForm *main = f->program->mainWindow();
    QVERIFY(main && QTest::qWaitForWindowActive(main));
    control<QPushButton>(main, "Command7")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(main, "Quit"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(main, "Command7"));
}

int main(int argc, char **argv)
{
    // The program's own application object, so that its event dispatch is
    // the one under test.
    Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestShell test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
