// The limit gauges, the measurement controls and the "Control Center" half
// of the tab strip, on the simulated board through the real widgets.
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "monitor/controlspanel.h"
#include "monitor/limitscale.h"
#include "monitor/maintabs.h"
#include "monitor/temperature.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "widgets/lineargauge.h"
#include "widgets/panel3d.h"
#include "widgets/percentbar.h"
#include "widgets/rotaryselector.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

Q_DECLARE_METATYPE(ort::test::Route)

using namespace ort;
using test::control;
using test::Route;

namespace {

using Setup = std::function<void(sim::ChipSetup &)>;

// Steady chips on the printer port (at 4Ch, written to as 98h) and on the
// SMBus (at 18h), each shaped by `setup`.
sim::Scenario board(const Setup &setup = {})
{
    sim::Scenario s = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C, 28, 50)})}, {});
    s.smbus.chips.push_back(test::steadyChipAt(0x18, 28, 50));
    if (setup)
        for (sim::ChipSetup *chip : {&s.ports[0].chips[0], &s.smbus.chips[0]})
            setup(*chip);
    return s;
}

// "reg,value" of each register write in the transcript, "reg" of each read.
QStringList transfers(const QStringList &calls)
{
    QStringList out;
    static const QRegularExpression re(R"((Read|Write)Register\(\d+,(\d+)(?:,(\d+))?\))");
    for (const QString &c : calls) {
        const QRegularExpressionMatch m = re.match(c);
        if (m.hasMatch())
            out << (m.captured(1) == "Read" ? "r" + m.captured(2) : "w" + m.captured(2) + "=" + m.captured(3));
    }
    return out;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    MainMenuForm *main = nullptr;

    bool open(Route route, const Setup &setup = {})
    {
        f = std::make_unique<test::ProgramFixture>(board(setup));
        main = f->finishOn(route);
        return main != nullptr;
    }
    // Writes the chip's register behind the program's back.
    void poke(uint8_t writeAddress, int value)
    {
        f->state().RegisterPointer = writeAddress;
        f->state().WriteValue = value;
        f->program->link().WriteRegister();
    }
    void enter(int tab)
    {
        control<QTabWidget>(main, "MainTab")->setCurrentIndex(tab);
    }
    // Enters the "Control Center" and forgets the transfers that made.
    void enterControlCenter()
    {
        enter(MainTabs::ControlCenter);
        f->clearCalls();
    }
    QStringList transfers() const { return ::transfers(f->calls()); }
    LinearGauge *gauge(const char *name) { return control<LinearGauge>(main, name); }
    TriStateCheckBox *box(const char *name) { return control<TriStateCheckBox>(main, name); }
    QTimer &timer1() { return *control<QTimer>(main, "Timer1"); }
    Panel3D *lamp() { return control<Panel3D>(main, "alert_detect_light"); }
    void switchMonitoringOn()
    {
        for (const char *name : {"alert_button", "Check1", "Check2"})
            box(name)->setValue(TriStateCheckBox::On);
    }
    // Drags a pointer of the gauge, or the band, with the mouse by `steps`
    // positions: pressed where it is grabbed, one move, released there.
    void drag(LinearGauge *g, int pointer, int steps)
    {
        const QPointF from = g->grabPoint(pointer);
        const QPoint press = from.toPoint();
        // Off the grab point by as much as the press was, so nothing jumps.
        const QPoint to(qRound(g->xAt(g->valueAt(from.x()) + steps) + (press.x() - from.x())), press.y());
        QTest::mousePress(g, Qt::LeftButton, {}, press);
        QTest::mouseMove(g, to);
        QTest::mouseRelease(g, Qt::LeftButton, {}, to);
    }
    void verifyGauge(LinearGauge *g, int low, int high, const QString &lowCaption, const QString &highCaption)
    {
        QCOMPARE(g->pointerPosition(LinearGauge::LowPointer), low);
        QCOMPARE(g->bandStartPosition(), low);
        QCOMPARE(g->pointerPosition(LinearGauge::HighPointer), high);
        QCOMPARE(g->bandEndPosition(), high);
        QCOMPARE(g->caption(2), lowCaption);
        QCOMPARE(g->caption(3), highCaption);
    }

private slots:
    void cleanup();

    void gaugePosition_data();
    void gaugePosition();
    void limitByte_data();
    void limitByte();
    void everyLimitByteComesBack();
    void separation_data();
    void separation();
    void oneShotCaption_data();
    void oneShotCaption();

    void controlCenterLayout();
    void panelsLaidOut_data();
    void panelsLaidOut();
    void pointerMoved_data();
    void pointerMoved();
    void mouseDragWritesAsTheHandler_data();
    void mouseDragWritesAsTheHandler();
    void nothingWrittenWhileBlocked();

    void enteringControlCenter_data();
    void enteringControlCenter();
    void enteringTwiceReadsTheChipAgain();
    void tabChangesStopBothTimersAndKeepTheBoxes_data();
    void tabChangesStopBothTimersAndKeepTheBoxes();

    void standbyToggle_data();
    void standbyToggle();
    void oneShot_data();
    void oneShot();
    void selectorWritesItsPosition();
    void easySetup();
    void readBack0x80AtTheBottom_data();
    void readBack0x80AtTheBottom();

    void failedGaugeWriteAbandonsTheDrag();
    void failedEasySetup();
    void failedStandbyPutsTheToggleBack();
    void failedOneShotAndRate();
    void failedEntryShowsOneBox();
    void partlyFailedChangesShowWhatWasWritten();
};

void TestControls::cleanup()
{
    main = nullptr;
    f.reset();
}

// ---- the scale ------------------------------------------------------------

void TestControls::gaugePosition_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    // In temperature order: position = temperature + 128.
    QTest::newRow("+90") << 0x5A << 218 << "90 C";
    QTest::newRow("0") << 0x00 << 128 << "0 C";
    QTest::newRow("+127") << 0x7F << 255 << "127 C";
    QTest::newRow("-55") << 0xC9 << 73 << "-55 C";
    QTest::newRow("-1") << 0xFF << 127 << "-1 C";
    QTest::newRow("-127") << 0x81 << 1 << "-127 C";
    QTest::newRow("-128") << 0x80 << 0 << "-128 C";
}

void TestControls::gaugePosition()
{
    QFETCH(int, byte);
    QFETCH(int, position);
    QFETCH(QString, caption);
    QCOMPARE(GaugePosition(byte), position);
    QCOMPARE(LimitCaption(byte), caption);
}

void TestControls::limitByte_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("caption");
    QTest::newRow("218") << 218 << 0x5A << "90 C";
    QTest::newRow("128") << 128 << 0x00 << "0 C";
    QTest::newRow("255") << 255 << 0x7F << "127 C";
    QTest::newRow("133") << 133 << 0x05 << "5 C";
    QTest::newRow("74") << 74 << 0xCA << "-54 C";
    QTest::newRow("1") << 1 << 0x81 << "-127 C";
    QTest::newRow("127") << 127 << 0xFF << "-1 C";
    QTest::newRow("0") << 0 << 0x80 << "-128 C";
    QTest::newRow("below the scale") << -3 << 0x80 << "-128 C";
    QTest::newRow("above the scale") << 260 << 0x7F << "127 C";
}

void TestControls::limitByte()
{
    QFETCH(int, position);
    QFETCH(int, byte);
    QFETCH(QString, caption);
    QCOMPARE(ort::limitByte(position), byte);
    QCOMPARE(positionCaption(position), caption);
}

void TestControls::everyLimitByteComesBack()
{
    // A limit shown and written back unmoved stays what the chip held, and
    // both captions agree.
    for (int b = 0; b < 256; ++b) {
        QCOMPARE(ort::limitByte(GaugePosition(b)), b);
        QCOMPARE(positionCaption(GaugePosition(b)), LimitCaption(b));
    }
    // One step to the right is one degree warmer, all along the scale.
    for (int p = 0; p < 255; ++p)
        QCOMPARE(positionCaption(p + 1).section(' ', 0, 0).toInt(), positionCaption(p).section(' ', 0, 0).toInt() + 1);
}

void TestControls::separation_data()
{
    QTest::addColumn<bool>("high");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("bandOtherEnd");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("apart");   // limits a drag may write
    QTest::newRow("high snaps up") << true << 130 << 128 << 133 << true;
    QTest::newRow("high one short") << true << 132 << 128 << 133 << true;
    QTest::newRow("high just far enough") << true << 133 << 128 << 133 << true;
    QTest::newRow("high free") << true << 200 << 128 << 200 << true;
    QTest::newRow("high below a negative low") << true << 98 << 108 << 113 << true;
    QTest::newRow("high off the top") << true << 253 << 252 << 257 << false;
    QTest::newRow("high at the top") << true << 255 << 250 << 255 << true;
    QTest::newRow("low snaps down") << false << 216 << 218 << 213 << true;
    QTest::newRow("low one short") << false << 214 << 218 << 213 << true;
    QTest::newRow("low just far enough") << false << 213 << 218 << 213 << true;
    QTest::newRow("low free") << false << 100 << 218 << 100 << true;
    QTest::newRow("low off the bottom") << false << 1 << 2 << -3 << false;
    QTest::newRow("low at the bottom") << false << 0 << 5 << 0 << true;
}

void TestControls::separation()
{
    QFETCH(bool, high);
    QFETCH(int, dragged);
    QFETCH(int, bandOtherEnd);
    QFETCH(int, result);
    QFETCH(bool, apart);
    QCOMPARE(high ? separatedHigh(dragged, bandOtherEnd) : separatedLow(dragged, bandOtherEnd), result);
    QCOMPARE(high ? limitsApart(bandOtherEnd, result) : limitsApart(result, bandOtherEnd), apart);
}

void TestControls::oneShotCaption_data()
{
    QTest::addColumn<int>("celsius");
    QTest::addColumn<bool>("smbus");
    QTest::addColumn<QString>("caption");
    QTest::newRow("printer 0") << 0 << false << "+0C";
    QTest::newRow("smbus 0") << 0 << true << "0C";
    QTest::newRow("printer 25") << 25 << false << "+25C";
    QTest::newRow("smbus 25") << 25 << true << "+25C";
    QTest::newRow("printer -5") << -5 << false << "-5C";
    QTest::newRow("smbus -128") << -128 << true << "-128C";
}

void TestControls::oneShotCaption()
{
    QFETCH(int, celsius);
    QFETCH(bool, smbus);
    QFETCH(QString, caption);
    QCOMPARE(ort::oneShotCaption(celsius, smbus ? chip::Route::Smbus : chip::Route::PrinterPort), caption);
}

// ---- the gauges -----------------------------------------------------------

void TestControls::controlCenterLayout()
{
    QVERIFY(open(Route::Smbus));
    // The bars keep their design-time texts until the page is entered.
    QCOMPARE(control<PercentBar>(main, "Percent2")->text(), QString("Remote Temp. = "));
    enter(MainTabs::ControlCenter);
    auto *bars = control<QWidget>(main, "SSPanel21");
    for (const char *name : {"LGauge2", "LGauge1"}) {
        LinearGauge *g = gauge(name);
        QCOMPARE(g->parentWidget(), bars);
        QCOMPARE(g->toolTip(), QString("Drag the pointers to change the limits"));
        QCOMPARE(g->label(), QString("Min   Max"));
    }
    // Each gauge under its temperature's bar.
    QVERIFY(gauge("LGauge1")->y() > control<PercentBar>(main, "Percent2")->y());
    QVERIFY(gauge("LGauge1")->y() < control<PercentBar>(main, "Percent1")->y());
    QVERIFY(gauge("LGauge2")->y() > control<PercentBar>(main, "Percent1")->y());
    auto *selector = control<RotarySelector>(main, "Selector1");
    QVERIFY(bars->isAncestorOf(selector));
    QCOMPARE(selector->toolTip(), QString("Adjust the ADC Sampling rate"));
    QCOMPARE(selector->labels(),
             QStringList({"0.0625", "0.125", "0.25", "0.5", "  1", "  2", "  4", "  8"}));
    QCOMPARE(control<QLabel>(main, "Selector1Caption")->text(), QString("ADC Sampling"));
    auto *easy = control<QPushButton>(main, "Command1");
    QVERIFY(bars->isAncestorOf(easy));
    QCOMPARE(easy->text(), QString("Easy Setup"));
    QCOMPARE(easy->toolTip(), QString("Automatic easy setup"));
}

void TestControls::panelsLaidOut_data()
{
    QTest::addColumn<QString>("panel");
    for (const char *name : {"SSPanel6", "SSPanel21", "MeasurementControls", "SSPanel20", "SSPanel10"})
        QTest::newRow(name) << name;
}

// Every control of the page's panels has its own place inside its panel.
void TestControls::panelsLaidOut()
{
    QFETCH(QString, panel);
    QVERIFY(open(Route::Smbus));
    enter(MainTabs::ControlCenter);
    auto *p = control<QWidget>(main, qPrintable(panel));
    QList<QWidget *> children;
    for (QWidget *w : p->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            children << w;
    QVERIFY(children.size() >= 3);
    for (int i = 0; i < children.size(); ++i) {
        QVERIFY2(p->rect().contains(children[i]->geometry()), qPrintable(children[i]->objectName()));
        for (int j = i + 1; j < children.size(); ++j)
            QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                     qPrintable(children[i]->objectName() + " over " + children[j]->objectName()));
    }
}

void TestControls::pointerMoved_data()
{
    QTest::addColumn<QString>("gaugeName");
    QTest::addColumn<int>("low");          // the chip's limit bytes
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("to");            // where the user leaves it
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<int>("lowAfter");
    QTest::addColumn<int>("highAfter");
    QTest::addColumn<QString>("lowCaption");
    QTest::addColumn<QString>("highCaption");
    QTest::newRow("high snaps above 0 C") << "LGauge2" << 0x00 << 0x5A << 2 << 130 << QStringList{"w11=5"} << 128
                                          << 133 << "0 C" << "5 C";
    QTest::newRow("low snaps below 90 C") << "LGauge2" << 0x00 << 0x5A << 1 << 216 << QStringList{"w12=85"} << 213
                                          << 218 << "85 C" << "90 C";
    QTest::newRow("remote low to -54") << "LGauge1" << 0xC9 << 0x7F << 1 << 74 << QStringList{"w14=202"} << 74 << 255
                                       << "-54 C" << "127 C";
    QTest::newRow("remote high free") << "LGauge1" << 0x00 << 0x5A << 2 << 170 << QStringList{"w13=42"} << 128 << 170
                                      << "0 C" << "42 C";
    QTest::newRow("band: low, then high") << "LGauge2" << 0x00 << 0x5A << 0 << 138
                                          << QStringList{"w12=10", "w11=100"} << 138 << 228 << "10 C" << "100 C";
    // -30 C is below a low limit of -20 C: the high pointer snaps to -15 C.
    QTest::newRow("high below a negative low") << "LGauge2" << 0xEC << 0x00 << 2 << 98 << QStringList{"w11=241"}
                                               << 108 << 113 << "-20 C" << "-15 C";
    // Where the rule cannot be kept on the scale nothing is written.
    QTest::newRow("high off the top") << "LGauge1" << 0x7C << 0x7F << 2 << 253 << QStringList{} << 252 << 255
                                      << "124 C" << "127 C";
    QTest::newRow("low off the bottom") << "LGauge1" << 0x80 << 0x83 << 1 << 1 << QStringList{} << 0 << 3 << "-128 C"
                                        << "-125 C";
    QTest::newRow("band closer than the rule") << "LGauge2" << 0x0A << 0x0C << 0 << 100 << QStringList{} << 138
                                               << 140 << "10 C" << "12 C";
}

// The handler as the widget runs it: the widget has moved the pointer, then
// reports which one.
void TestControls::pointerMoved()
{
    QFETCH(QString, gaugeName);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, pointer);
    QFETCH(int, to);
    QFETCH(QStringList, writes);
    QFETCH(int, lowAfter);
    QFETCH(int, highAfter);
    QFETCH(QString, lowCaption);
    QFETCH(QString, highCaption);
    QVERIFY(open(Route::Smbus));
    const bool local = gaugeName == "LGauge2";
    poke(local ? chip::LocalLowLimitWrite : chip::RemoteLowLimitWrite, low);
    poke(local ? chip::LocalHighLimitWrite : chip::RemoteHighLimitWrite, high);
    enterControlCenter();
    LinearGauge *g = gauge(qPrintable(gaugeName));
    g->setPointerValue(pointer, to);
    emit g->pointerMoved(pointer);
    QCOMPARE(transfers(), writes);
    verifyGauge(g, lowAfter, highAfter, lowCaption, highCaption);
    // What the gauge shows is what the chip now holds.
    f->clearCalls();
    enter(MainTabs::Main);
    enter(MainTabs::ControlCenter);
    verifyGauge(g, lowAfter, highAfter, lowCaption, highCaption);
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestControls::mouseDragWritesAsTheHandler_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("gaugeName");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<int>("lowAfter");
    QTest::addColumn<int>("highAfter");
    // Power-on limits: high +127 C (255), low -55 C (73).
    QTest::newRow("remote low, one step") << Route::Smbus << "LGauge1" << 1 << -1 << QStringList{"w14=200"} << 72
                                          << 255;
    QTest::newRow("local high down") << Route::PrinterPort << "LGauge2" << 2 << -37 << QStringList{"w11=90"} << 73
                                     << 218;
    QTest::newRow("local band down") << Route::Smbus << "LGauge2" << 0 << -20 << QStringList{"w12=181", "w11=107"}
                                     << 53 << 235;
    // Dragged far left, the high pointer stops 5 C above the low one (the
    // move and the release each write it).
    QTest::newRow("remote high past the low") << Route::Smbus << "LGauge1" << 2 << -200
                                              << QStringList{"w13=206", "w13=206"} << 73 << 78;
}

void TestControls::mouseDragWritesAsTheHandler()
{
    QFETCH(Route, route);
    QFETCH(QString, gaugeName);
    QFETCH(int, pointer);
    QFETCH(int, steps);
    QFETCH(QStringList, writes);
    QFETCH(int, lowAfter);
    QFETCH(int, highAfter);
    QVERIFY(open(route));
    enterControlCenter();
    LinearGauge *g = gauge(qPrintable(gaugeName));
    QVERIFY(g->isVisible());
    QVERIFY(g->width() > 255);   // more than a pixel a step, so one move lands on the step
    drag(g, pointer, steps);
    QCOMPARE(transfers(), writes);
    verifyGauge(g, lowAfter, highAfter, positionCaption(lowAfter), positionCaption(highAfter));
}

void TestControls::nothingWrittenWhileBlocked()
{
    QVERIFY(open(Route::Smbus));
    enterControlCenter();
    LinearGauge *g = gauge("LGauge1");
    f->state().GaugeEventsBlocked = 1;
    drag(g, LinearGauge::HighPointer, -30);
    drag(g, LinearGauge::Band, -10);
    QCOMPARE(f->calls(), QStringList());
    QCOMPARE(g->caption(3), QString("127 C"));
    QCOMPARE(g->caption(2), QString("-55 C"));
    // Unblocked, the same drag writes.
    f->state().GaugeEventsBlocked = 0;
    drag(g, LinearGauge::HighPointer, -1);
    QCOMPARE(transfers().size(), 1);
}

// ---- entering the "Control Center" ----------------------------------------

void TestControls::enteringControlCenter_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<int>("configuration");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("standby, smbus") << Route::Smbus << 0xC0
                                    << QStringList{"r3", "w9=128", "r4", "r5", "r6", "r7", "r8"};
    QTest::newRow("standby with other bits, printer") << Route::PrinterPort << 0x7F
                                                      << QStringList{"r3", "w9=63", "r4", "r5", "r6", "r7", "r8"};
    QTest::newRow("converting: nothing written") << Route::Smbus << 0x80
                                                 << QStringList{"r3", "r4", "r5", "r6", "r7", "r8"};
}

void TestControls::enteringControlCenter()
{
    QFETCH(Route, route);
    QFETCH(int, configuration);
    QFETCH(QStringList, expected);
    QVERIFY(open(route));
    poke(chip::ConversionRateWrite, 5);
    poke(chip::LocalHighLimitWrite, 0x5A);
    poke(chip::LocalLowLimitWrite, 0x00);
    poke(chip::RemoteHighLimitWrite, 0x46);   // +70
    poke(chip::RemoteLowLimitWrite, 0xEC);    // -20
    // Come from the page with everything running.
    enter(MainTabs::ControlCenter);
    switchMonitoringOn();
    control<PercentBar>(main, "Percent2")->setText("Remote Temp. = 50C");
    control<PercentBar>(main, "Percent2")->setValue(70);
    enter(MainTabs::Main);
    poke(chip::ConfigurationWrite, configuration);
    f->clearCalls();

    enter(MainTabs::ControlCenter);
    QCOMPARE(transfers(), expected);
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 0);
    QCOMPARE(box("Check2")->text(), QString("Graphing Stopped"));
    QVERIFY(!timer1().isActive());
    QCOMPARE(lamp()->caption(), QString("Alert Detect Off"));
    QCOMPARE(lamp()->backgroundColor(), QColor(192, 192, 192));
    QCOMPARE(control<RotarySelector>(main, "Selector1")->position(), 5);
    verifyGauge(gauge("LGauge2"), 128, 218, "0 C", "90 C");
    verifyGauge(gauge("LGauge1"), 108, 198, "-20 C", "70 C");
    for (const char *name : {"Percent1", "Percent2"}) {
        QCOMPARE(control<PercentBar>(main, name)->value(), 0.0);
        QCOMPARE(control<PercentBar>(main, name)->text(), QString());
    }
    // The Read/Write tab's toggle is not touched here.
    QCOMPARE(control<QToolButton>(main, "SSRibbon3")->isChecked(), false);
    QCOMPARE(f->ui.messages.size(), 0);
}

void TestControls::enteringTwiceReadsTheChipAgain()
{
    QVERIFY(open(Route::Smbus));
    enterControlCenter();
    verifyGauge(gauge("LGauge1"), 73, 255, "-55 C", "127 C");
    QCOMPARE(control<RotarySelector>(main, "Selector1")->position(), 2);
    switchMonitoringOn();
    enter(MainTabs::Main);
    poke(chip::RemoteHighLimitWrite, 0x28);
    poke(chip::RemoteLowLimitWrite, 0x80);
    poke(chip::ConversionRateWrite, 6);
    f->clearCalls();
    enter(MainTabs::ControlCenter);
    QCOMPARE(transfers(), QStringList({"r3", "r4", "r5", "r6", "r7", "r8"}));
    verifyGauge(gauge("LGauge1"), 0, 168, "-128 C", "40 C");
    QCOMPARE(control<RotarySelector>(main, "Selector1")->position(), 6);
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 0);
}

void TestControls::tabChangesStopBothTimersAndKeepTheBoxes_data()
{
    QTest::addColumn<int>("to");
    QTest::newRow("to Main") << int(MainTabs::Main);
    QTest::newRow("to Read/Write") << int(MainTabs::ReadWrite);
}

void TestControls::tabChangesStopBothTimersAndKeepTheBoxes()
{
    QFETCH(int, to);
    QVERIFY(open(Route::Smbus));
    enterControlCenter();
    switchMonitoringOn();
    QVERIFY(timer1().isActive());
    QTimer &timer3 = *control<QTimer>(main, "Timer3");
    timer3.start(5);   // as if continuous reading had been left running
    enter(to);
    QVERIFY(!timer1().isActive());
    QVERIFY(!timer3.isActive());
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 1);
    QCOMPARE(box("Check2")->text(), QString("Graphing Now"));
    // Stopped means no reading, however long the page is away.
    f->clearCalls();
    f->tick(timer1(), 5);
    QCOMPARE(transfers(), QStringList());
}

// ---- measurement controls -------------------------------------------------

void TestControls::standbyToggle_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<int>("configuration");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("standby");
    QTest::newRow("pressed with 80h") << Route::Smbus << 0x80 << "w9=192" << true;
    QTest::newRow("pressed with 3Fh") << Route::PrinterPort << 0x3F << "w9=127" << true;
    QTest::newRow("released with C0h") << Route::Smbus << 0xC0 << "w9=128" << false;
    QTest::newRow("released with 7Fh") << Route::PrinterPort << 0x7F << "w9=0" << false;
}

void TestControls::standbyToggle()
{
    QFETCH(Route, route);
    QFETCH(int, configuration);
    QFETCH(QString, written);
    QFETCH(bool, standby);
    QVERIFY(open(route));
    poke(chip::ConfigurationWrite, configuration);
    // The Read/Write tab shows the chip's standby; the user presses the toggle.
    enter(MainTabs::ReadWrite);
    auto *toggle = control<QToolButton>(main, "SSRibbon3");
    QCOMPARE(toggle->isChecked(), !standby);
    f->clearCalls();
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->isChecked(), standby);
    QCOMPARE(transfers(), QStringList({"r3", written}));
    QCOMPARE(control<Panel3D>(main, "SSPanel2")->caption(),
             standby ? QString("Standby Mode is On") : QString("Standby Mode is Off"));
    QCOMPARE(control<QPushButton>(main, "CommandButton1")->isEnabled(), standby);
}

void TestControls::oneShot_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<int>("remote");
    QTest::addColumn<QString>("found");
    QTest::addColumn<double>("bar");   // -1: not touched
    QTest::newRow("printer 00h") << Route::PrinterPort << 0x00 << "+0C" << 50.0;
    QTest::newRow("printer 7Fh") << Route::PrinterPort << 0x7F << "+127C" << 100.0;
    QTest::newRow("printer 19h") << Route::PrinterPort << 0x19 << "+25C" << 60.0;
    QTest::newRow("printer FFh") << Route::PrinterPort << 0xFF << "-1C" << -1.0;
    QTest::newRow("printer 80h") << Route::PrinterPort << 0x80 << "-128C" << -1.0;
    QTest::newRow("smbus 00h") << Route::Smbus << 0x00 << "0C" << -1.0;
    QTest::newRow("smbus 19h") << Route::Smbus << 0x19 << "+25C" << -1.0;
    QTest::newRow("smbus FBh") << Route::Smbus << 0xFB << "-5C" << -1.0;
}

void TestControls::oneShot()
{
    QFETCH(Route, route);
    QFETCH(int, remote);
    QFETCH(QString, found);
    QFETCH(double, bar);
    QVERIFY(open(route, [remote](sim::ChipSetup &c) { c.fixedReads = {{chip::RemoteTemperature, uint8_t(remote)}}; }));
    auto *percent2 = control<PercentBar>(main, "Percent2");
    percent2->setValue(33);
    percent2->setText("Remote Temp. = 1C");
    enter(MainTabs::ReadWrite);
    QTest::mouseClick(control<QToolButton>(main, "SSRibbon3"), Qt::LeftButton);
    f->clearCalls();
    QTest::mouseClick(control<QPushButton>(main, "CommandButton1"), Qt::LeftButton);
    QCOMPARE(transfers(), QStringList({"w15=255", "r1"}));
    QCOMPARE(control<QLabel>(main, "Label1")->text(), found);
    QCOMPARE(percent2->value(), bar < 0 ? 33.0 : bar);
    QCOMPARE(percent2->text(), QString("Remote Temp. = 1C"));
    // With monitoring off no toggle's handler clears the bars: entering does.
    enter(MainTabs::ControlCenter);
    QCOMPARE(percent2->value(), 0.0);
    QCOMPARE(percent2->text(), QString());
}

void TestControls::selectorWritesItsPosition()
{
    QVERIFY(open(Route::Smbus));
    enterControlCenter();
    auto *selector = control<RotarySelector>(main, "Selector1");
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(3).center().toPoint());
    QCOMPARE(selector->position(), 3);
    QCOMPARE(transfers(), QStringList({"w10=3"}));
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(0).center().toPoint());
    QCOMPARE(transfers(), QStringList({"w10=3", "w10=0"}));
    // The chip converts at the new rate: the next entry reads it back.
    enter(MainTabs::Main);
    enter(MainTabs::ControlCenter);
    QCOMPARE(selector->position(), 0);
}

void TestControls::easySetup()
{
    QVERIFY(open(Route::Smbus));
    enterControlCenter();
    QList<int> blocked;
    connect(box("Check2"), &TriStateCheckBox::valueChanged, this,
            [&] { blocked << f->state().GaugeEventsBlocked; });
    QTest::mouseClick(control<QPushButton>(main, "Command1"), Qt::LeftButton);
    QCOMPARE(transfers(),
             QStringList({"w10=7", "w11=90", "w12=0", "w13=90", "w14=0", "r5", "r6", "r7", "r8"}));
    QCOMPARE(blocked, QList<int>({1}));
    QCOMPARE(f->state().GaugeEventsBlocked, uint8_t(0));
    QCOMPARE(control<RotarySelector>(main, "Selector1")->position(), 7);
    for (const char *name : {"LGauge2", "LGauge1"})
        verifyGauge(gauge(name), 128, 218, "0 C", "90 C");
    QVERIFY(timer1().isActive());
    QCOMPARE(timer1().interval(), 5);
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 1);
    QCOMPARE(box("Check1")->text(), QString("Bargraphs are On"));
    QCOMPARE(lamp()->caption(), QString("No Alert Detected"));
    QCOMPARE(lamp()->backgroundColor(), QColor(0, 255, 0));
    QCOMPARE(f->ui.messages.size(), 0);
    // Monitoring runs at once.
    f->clearCalls();
    f->tick(timer1());
    QCOMPARE(transfers(), QStringList({"r2", "r1", "r0", "r1", "r0"}));
}

void TestControls::readBack0x80AtTheBottom_data()
{
    QTest::addColumn<bool>("easy");
    QTest::addColumn<int>("position");
    // -128 C at the cold end, however it was read; not beside 0 C.
    QTest::newRow("easy setup") << true << 0;
    QTest::newRow("entering the page") << false << 0;
}

void TestControls::readBack0x80AtTheBottom()
{
    QFETCH(bool, easy);
    QFETCH(int, position);
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.fixedReads = {{chip::LocalLowLimitRead, 0x80}}; }));
    enterControlCenter();
    if (easy)
        QTest::mouseClick(control<QPushButton>(main, "Command1"), Qt::LeftButton);
    LinearGauge *g = gauge("LGauge2");
    QCOMPARE(g->pointerPosition(LinearGauge::LowPointer), position);
    QCOMPARE(g->bandStartPosition(), position);
    QCOMPARE(g->caption(2), QString("-128 C"));
}

// ---- failures -------------------------------------------------------------

void TestControls::failedGaugeWriteAbandonsTheDrag()
{
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.failingWrite = true; }));
    enterControlCenter();
    LinearGauge *g = gauge("LGauge1");
    const QPointF from = g->grabPoint(LinearGauge::LowPointer);
    const QPoint press = from.toPoint();
    auto at = [&](int position) { return QPoint(qRound(g->xAt(position) + (press.x() - from.x())), press.y()); };
    QTest::mousePress(g, Qt::LeftButton, {}, press);
    for (int position : {83, 93, 103})
        QTest::mouseMove(g, at(position));
    QTest::mouseRelease(g, Qt::LeftButton, {}, at(108));
    // One box, one attempt; the pointer shows what the chip holds.
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(f->ui.messages[0].text.contains("No acknowledge"));
    QCOMPARE(transfers(), QStringList({"w14=211"}));
    verifyGauge(g, 73, 255, "-55 C", "127 C");
    QCOMPARE(f->ends, 0);
    // A new drag tries again.
    f->clearCalls();
    drag(g, LinearGauge::LowPointer, 1);
    QCOMPARE(f->ui.messages.size(), 2);
    QCOMPARE(transfers(), QStringList({"w14=202"}));
    verifyGauge(g, 73, 255, "-55 C", "127 C");
}

void TestControls::failedEasySetup()
{
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.failingWrite = true; }));
    enterControlCenter();
    QTest::mouseClick(control<QPushButton>(main, "Command1"), Qt::LeftButton);
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(transfers(), QStringList({"w10=7"}));
    QCOMPARE(f->state().GaugeEventsBlocked, uint8_t(0));
    QVERIFY(!timer1().isActive());
    QCOMPARE(box("Check2")->value(), 0);
    QCOMPARE(control<RotarySelector>(main, "Selector1")->position(), 2);
    // The gauges still answer the user.
    f->clearCalls();
    drag(gauge("LGauge2"), LinearGauge::HighPointer, -1);
    QCOMPARE(transfers().size(), 1);
    QCOMPARE(f->ends, 0);
}

void TestControls::failedStandbyPutsTheToggleBack()
{
    QVERIFY(open(Route::PrinterPort, [](sim::ChipSetup &c) { c.failingWrite = true; }));
    enter(MainTabs::ReadWrite);
    auto *toggle = control<QToolButton>(main, "SSRibbon3");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(!toggle->isChecked());
    QCOMPARE(control<Panel3D>(main, "SSPanel2")->caption(), QString("Standby Mode is Off"));
    QVERIFY(!control<QPushButton>(main, "CommandButton1")->isEnabled());
    QCOMPARE(f->ends, 0);
}

void TestControls::failedOneShotAndRate()
{
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.failingWrite = true; }));
    enter(MainTabs::ReadWrite);
    auto *button = control<QPushButton>(main, "CommandButton1");
    button->setEnabled(true);
    control<QLabel>(main, "Label1")->setText("+25C");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(control<QLabel>(main, "Label1")->text(), QString("+25C"));

    enterControlCenter();
    auto *selector = control<RotarySelector>(main, "Selector1");
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(6).center().toPoint());
    QCOMPARE(f->ui.messages.size(), 2);
    QCOMPARE(transfers(), QStringList({"w10=6"}));
    // Back at the rate the chip holds.
    QCOMPARE(selector->position(), 2);
    QCOMPARE(f->ends, 0);
}

void TestControls::failedEntryShowsOneBox()
{
    // The search's probe and the first read of the page, then nothing.
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.nackAfterTransfers = 2; }));
    enter(MainTabs::ControlCenter);
    QCOMPARE(f->ui.messages.size(), 1);
    QVERIFY(f->ui.messages[0].text.contains("No acknowledge"));
    QCOMPARE(main->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(control<QTabWidget>(main, "MainTab")->currentIndex(), int(MainTabs::ControlCenter));
    QCOMPARE(lamp()->caption(), QString("Alert Detect Off"));
    QCOMPARE(f->ends, 0);
}

void TestControls::partlyFailedChangesShowWhatWasWritten()
{
    // The search's probe, the six reads of entering the page and one write
    // go through; then the chip stops answering.
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.nackAfterTransfers = 8; }));
    enterControlCenter();
    LinearGauge *g = gauge("LGauge2");
    drag(g, LinearGauge::Band, -10);
    QCOMPARE(transfers(), QStringList({"w12=191", "w11=117"}));
    QCOMPARE(f->ui.messages.size(), 1);
    // The low limit was written, the high one was not.
    verifyGauge(g, 63, 255, "-65 C", "127 C");

    f.reset();
    QVERIFY(open(Route::Smbus, [](sim::ChipSetup &c) { c.nackAfterTransfers = 8; }));
    enterControlCenter();
    auto *selector = control<RotarySelector>(main, "Selector1");
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(3).center().toPoint());
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(6).center().toPoint());
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(selector->position(), 3);
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
