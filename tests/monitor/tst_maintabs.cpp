#include "monitor/maintabs.h"
#include "monitor/oneshotpanel.h"
#include "registers/registereditor.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "widgets/panel3d.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace ort;
using test::control;
using test::Route;

class TestMainTabs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void oneShotPanelStartsInStandbyOff();
    void redrawShowsTheChipsStandbyWithoutItsHandler();
    void leavingTheTabStopsContinuousReading();
    void everyChangeStopsBothTimers_data();
    void everyChangeStopsBothTimers();
    void failedResetShowsOneBoxWithTheDefaultPointer();
    void pointerIsTheHourglassDuringTheChange();

private:
    MainMenuForm *enterReadWrite();
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;
};

void TestMainTabs::init()
{
    sim::Scenario s = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C)})});
    f = std::make_unique<test::ProgramFixture>(s);
}

void TestMainTabs::cleanup()
{
    main = nullptr;
    f.reset();
}

MainMenuForm *TestMainTabs::enterReadWrite()
{
    main = f->finishOn(Route::PrinterPort);
    if (!main)
        return nullptr;
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(MainTabs::ReadWrite);
    f->clearCalls();
    return main;
}

void TestMainTabs::oneShotPanelStartsInStandbyOff()
{
    main = f->finishOn(Route::PrinterPort);
    QVERIFY(main);
    QCOMPARE(control<Panel3D>(main, "SSPanel4")->caption(), QString("One Shot"));
    QCOMPARE(control<Panel3D>(main, "SSPanel2")->caption(), QString("Standby Mode is Off"));
    QVERIFY(!control<QToolButton>(main, "SSRibbon3")->isChecked());
    QCOMPARE(control<QPushButton>(main, "CommandButton1")->text(), QString("Make One-Shot Measurement"));
    QVERIFY(!control<QPushButton>(main, "CommandButton1")->isEnabled());
    QCOMPARE(control<QLabel>(main, "Label18")->text(), QString("Temperature Found:"));
    QVERIFY(control<QLabel>(main, "Label1"));
}

void TestMainTabs::redrawShowsTheChipsStandbyWithoutItsHandler()
{
    QVERIFY(enterReadWrite());
    auto *standby = control<QToolButton>(main, "SSRibbon3");
    QSignalSpy toggled(standby, &QToolButton::toggled);
    QSignalSpy clicked(standby, &QToolButton::clicked);

    // Standby set through the editor: the typed write is the only write.
    control<QToolButton>(main, "SSRibbon9")->click();
    control<QLineEdit>(main, "Text6")->setText("C0");
    f->clearCalls();
    control<QPushButton>(main, "Command4")->click();
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.SetPortBase(888)", "PrinterPortLink.WriteRegister(152,9,192)",
                                      "PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,3)"}));
    QCOMPARE(control<Panel3D>(main, "SSPanel2")->caption(), QString("Standby Mode is On"));
    QVERIFY(standby->isChecked());
    QVERIFY(control<QPushButton>(main, "CommandButton1")->isEnabled());

    // Bit 6 alone decides.
    control<QLineEdit>(main, "Text6")->setText("BF");
    control<QPushButton>(main, "Command4")->click();
    QCOMPARE(control<Panel3D>(main, "SSPanel2")->caption(), QString("Standby Mode is Off"));
    QVERIFY(!standby->isChecked());
    QVERIFY(!control<QPushButton>(main, "CommandButton1")->isEnabled());
    QCOMPARE(toggled.count(), 0);
    QCOMPARE(clicked.count(), 0);
}

void TestMainTabs::leavingTheTabStopsContinuousReading()
{
    QVERIFY(enterReadWrite());
    auto *toggle = control<QToolButton>(main, "SSRibbon5");
    auto *timer3 = control<QTimer>(main, "Timer3");
    toggle->click();
    QVERIFY(timer3->isActive());
    f->clearCalls();
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(MainTabs::Main);
    QVERIFY(!timer3->isActive());
    // Only the timer stops; the next entry puts the toggle up.
    QVERIFY(toggle->isChecked());
    QCOMPARE(f->calls(), QStringList());
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(MainTabs::ReadWrite);
    QVERIFY(!toggle->isChecked());
    QVERIFY(!timer3->isActive());
    QCOMPARE(control<Panel3D>(main, "SSPanel7")->caption(), QString("Continuous Reading is Off"));
}

void TestMainTabs::everyChangeStopsBothTimers_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("reads");
    QTest::newRow("read/write to main") << 1 << 0 << 0;
    QTest::newRow("main to read/write") << 0 << 1 << 2;
}

void TestMainTabs::everyChangeStopsBothTimers()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, reads);
    main = f->finishOn(Route::PrinterPort);
    QVERIFY(main);
    auto *tabs = control<QTabWidget>(main, "MainTab");
    tabs->setCurrentIndex(from);
    QTimer timer1;
    timer1.start(5);
    main->tabHandler()->setTimer1(&timer1);
    control<QTimer>(main, "Timer3")->start(5);
    f->clearCalls();
    tabs->setCurrentIndex(to);
    QVERIFY(!timer1.isActive());
    QVERIFY(!control<QTimer>(main, "Timer3")->isActive());
    QCOMPARE(f->calls().filter("ReadRegister").size(), reads);
    QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
}

void TestMainTabs::failedResetShowsOneBoxWithTheDefaultPointer()
{
    sim::ChipSetup chip = test::steadyChipAt(0x4C);
    chip.nackAfterTransfers = 1;   // the search's probe, then nothing
    f.reset();
    f = std::make_unique<test::ProgramFixture>(test::boardWith({test::portWith(0x378, {chip})}));
    main = f->finishOn(Route::PrinterPort);
    QVERIFY(main);
    Qt::CursorShape underBox = Qt::BusyCursor;
    f->ui.whileOpen = [&](const MessageRequest &) { underBox = main->cursor().shape(); };
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(MainTabs::ReadWrite);
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(f->ui.messages[0].text.contains("No acknowledge"));
    QCOMPARE(underBox, Qt::ArrowCursor);
    QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(control<QTabWidget>(main, "MainTab")->currentIndex(), int(MainTabs::ReadWrite));
    QCOMPARE(f->ends, 0);
}

void TestMainTabs::pointerIsTheHourglassDuringTheChange()
{
    main = f->finishOn(Route::PrinterPort);
    QVERIFY(main);
    QList<Qt::CursorShape> during;
    connect(main->registerEditor(), &RegisterEditor::standbyShown, this,
            [&] { during << main->cursor().shape(); });
    control<QTabWidget>(main, "MainTab")->setCurrentIndex(MainTabs::ReadWrite);
    QCOMPARE(during, QList<Qt::CursorShape>({Qt::WaitCursor}));
    QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestMainTabs)
#include "tst_maintabs.moc"
