#include "link/runtimeerror.h"
#include "shell/errors.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"
#include "wizard/initform.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace ort;

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void splashPutsComponentIntoStartUpState();
    void splashKeysAndClicks();
    void aboutBoxIsOneModelessWindow();
    void mainWindowFrame();
    void quitReleasesPortAndEnds();
    void quitWithoutPrinterPortSkipsPortWrite();
    void closingMainWindowOnlyResetsLatch();
    void uncaughtErrorIsShownAndSurvived();

private:
    std::unique_ptr<test::SimBoard> board;
    std::unique_ptr<test::FakeUi> ui;
    std::unique_ptr<Program> program;
    int ends = 0;
};

void TestShell::init()
{
    board = std::make_unique<test::SimBoard>();
    ui = std::make_unique<test::FakeUi>();
    program = std::make_unique<Program>(*ui, board->clock);
    ends = 0;
    program->setEndHandler([this] { ++ends; });
}

void TestShell::cleanup()
{
    program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestShell::splashPutsComponentIntoStartUpState()
{
    frmSplash *splash = program->showSplash();
    QCOMPARE(board->calls(), QStringList({"PrinterPortLink.SetLinkVariant(True)",
                                          "PrinterPortLink.SetDeviceAddress(212)",
                                          "PrinterPortLink.SetPortBase(888)"}));
    QCOMPARE(program->state().BusMedium, int16_t(1));
    QCOMPARE(splash->findChild<QLabel *>("lblCompanyProduct")->text(), QString("ORT310 Evaluation Software"));
    QCOMPARE(splash->findChild<QLabel *>("lblVersion")->text(), QString("Version 5.0"));
    QCOMPARE(splash->findChild<QLabel *>("lblPlatform")->text(), QString("Win95/98/NT/2000/ME"));
    QCOMPARE(splash->findChild<QLabel *>("Label1")->text(), QString("Press any Key to Continue."));
    QVERIFY(splash->findChild<QLabel *>("lblCompany")->text().contains("simulated evaluation board"));
}

void TestShell::splashKeysAndClicks()
{
    frmSplash *splash = program->showSplash();
    QTest::keyClick(splash, Qt::Key_Left);
    QTest::keyClick(splash, Qt::Key_F5);
    QTest::mouseClick(splash->findChild<QLabel *>("Label1"), Qt::LeftButton);
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(2, 2));   // the background
    QVERIFY(!program->existingWizard());
    QCOMPARE(program->splash(), splash);

    QTest::keyClick(splash, Qt::Key_A);
    QVERIFY(program->existingWizard());
    QVERIFY(program->existingWizard()->isVisible());
    QVERIFY(!program->splash());

    // A click on one of the captions opens it too, from a fresh start.
    program->existingWizard()->hide();
    Program second(*ui, board->clock);
    frmSplash *s2 = second.showSplash();
    QTest::mouseClick(s2->findChild<QLabel *>("lblVersion"), Qt::LeftButton);
    QVERIFY(second.existingWizard());
    QVERIFY(!second.splash());
}

void TestShell::aboutBoxIsOneModelessWindow()
{
    MainMenuForm *main = program->loadMainWindow();
    main->show();
    QTest::mouseClick(main->findChild<QPushButton *>("Command7"), Qt::LeftButton);
    frmAbout *about = program->about();
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QString("About the ORT310 Evaluation Software."));
    QCOMPARE(about->findChild<QLabel *>("lblTitle")->text(), QString("Velmora ORT310 Evaluation Software"));
    QCOMPARE(about->findChild<QLabel *>("lblDescription")->text(),
             QString("This software can be used to read and write to the ORT310 using either the parallel "
                     "printer port or the SMBus."));
    QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(), QString("Version 5.0"));
    QTest::mouseClick(main->findChild<QPushButton *>("Command7"), Qt::LeftButton);
    QCOMPARE(program->about(), about);
    QTest::mouseClick(about->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QVERIFY(!program->about());
}

void TestShell::mainWindowFrame()
{
    program->state().ReadValue = 77;
    MainMenuForm *main = program->loadMainWindow();
    QCOMPARE(program->loadMainWindow(), main);
    QVERIFY(!main->isVisible());
    QCOMPARE(program->state().ReadValue, int16_t(0));
    QCOMPARE(main->windowTitle(), QString("Velmora - ORT310 Evaluation Software"));
    QCOMPARE(main->findChild<QLabel *>("Label24")->text(), QString("ORT310"));
    QCOMPARE(main->findChild<QLabel *>("Label25")->text(), QString("Evaluation Software"));
    QCOMPARE(main->findChild<QLabel *>("Label26")->text(), QString("(Ver. 5.0)"));
    QCOMPARE(main->findChild<QPushButton *>("Command7")->text(), QString("About this software"));
    QCOMPARE(main->findChild<QPushButton *>("Quit")->text(), QString("Quit"));
}

void TestShell::quitReleasesPortAndEnds()
{
    program->state().PrinterPortBase = 0x378;
    MainMenuForm *main = program->loadMainWindow();
    main->show();
    board->backend->port(0).writeData(0x55);
    QTest::mouseClick(main->findChild<QPushButton *>("Quit"), Qt::LeftButton);
    QCOMPARE(board->calls(), QStringList({"PrinterPortLink.WritePort(888,0)", "OutputLatch.SetValue(0)"}));
    QCOMPARE(board->backend->port(0).dataRegister(), uint8_t(0));
    QCOMPARE(board->backend->port(0).controlRegister(), uint8_t(0));
    QCOMPARE(ends, 1);
    QVERIFY(!program->mainWindow());
}

void TestShell::quitWithoutPrinterPortSkipsPortWrite()
{
    MainMenuForm *main = program->loadMainWindow();
    main->show();
    QTest::mouseClick(main->findChild<QPushButton *>("Quit"), Qt::LeftButton);
    QCOMPARE(board->calls(), QStringList({"OutputLatch.SetValue(0)"}));
    QVERIFY(ui->messages.isEmpty());
    QCOMPARE(ends, 1);
}

void TestShell::closingMainWindowOnlyResetsLatch()
{
    program->state().PrinterPortBase = 0x378;
    MainMenuForm *main = program->loadMainWindow();
    main->show();
    program->showAbout();
    main->close();
    QCOMPARE(board->calls(), QStringList({"OutputLatch.SetValue(0)"}));
    QCOMPARE(ends, 0);
    QVERIFY(!program->mainWindow());
    QVERIFY(program->about());          // the about box stays until it is closed
}

void TestShell::uncaughtErrorIsShownAndSurvived()
{
    bool timerStopped = false;
    bool after = false;
    const bool ok = runGuarded(
        *ui, nullptr,
        [&] {
            Declare &d = program->state();
            d.BusMedium = 0;
            d.WriteValue = 256;
            program->link().WriteRegister();
            after = true;
        },
        [&] { timerStopped = true; });
    QVERIFY(!ok);
    QVERIFY(!after);
    QVERIFY(timerStopped);
    QCOMPARE(ui->messages.size(), 1);
    QCOMPARE(ui->messages[0].text, QString("Run-time error '6':\n\nOverflow"));
    QCOMPARE(ui->messages[0].icon, QMessageBox::Critical);
    QVERIFY(!errorBoxOpen());

    // A bus failure carries the component's text; the program goes on.
    program->state().DeviceAddress = 0x4D;
    program->state().WriteValue = 1;
    runGuarded(*ui, nullptr, [&] { program->link().WriteRegister(); });
    QCOMPARE(ui->messages.size(), 2);
    QCOMPARE(ui->messages[1].text, QString("Run-time error '57':\n\nNo acknowledge from device at 4Dh"));
    program->state().DeviceAddress = 0x18;
    program->state().RegisterPointer = 0xFE;
    program->link().ReadRegister();
    QCOMPARE(program->state().ReadValue, int16_t(0x5C));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
