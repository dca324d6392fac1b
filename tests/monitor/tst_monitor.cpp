// The "Control Center" page on the simulated board: the measurement tick,
// the monitoring toggles, the alert panel, the graph panel, and the log as
// the cycle drives it.
#include "component/buserror.h"
#include "component/sim/simbackend.h"
#include "gui/tristatecheckbox.h"
#include "link/boardfile.h"
#include "link/chip.h"
#include "link/text.h"
#include "log/logpanel.h"
#include "log/logrecord.h"
#include "gui/errors.h"
#include "monitor/alertepisode.h"
#include "monitor/alerthold.h"
#include "monitor/alertpanel.h"
#include "monitor/graphpanel.h"
#include "monitor/measurementcycle.h"
#include "monitor/pause.h"
#include "monitor/temperature.h"
#include "shell/mainmenuform.h"
#include "tests/support/boards.h"
#include "tests/support/programfixture.h"
#include "tests/support/readonlyfile.h"
#include "widgets/panel3d.h"
#include "widgets/percentbar.h"
#include "widgets/rotaryselector.h"
#include "widgets/stripchart.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QtTest>
#include <map>
#include <memory>

Q_DECLARE_METATYPE(ort::test::Route)

using namespace ort;
using test::control;
using test::Route;

namespace {

// The simulated board with an SMBus host that can be told to fail: a read
// for which `failRead` answers true throws the given failure.
class FaultySmbus final : public SmbusTransport {
public:
    explicit FaultySmbus(SmbusTransport &inner) : m_inner(inner) {}
    uint8_t readByteData(uint8_t address7, uint8_t reg) override
    {
        if (failRead && failRead(address7, reg)) {
            if (nack)
                throw NoAcknowledge(noAcknowledgeText(address7));
            throw BusError("The SMBus host controller is busy");
        }
        return m_inner.readByteData(address7, reg);
    }
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) override
    {
        m_inner.writeByteData(address7, reg, value);
    }
    uint32_t baseAddress() override { return m_inner.baseAddress(); }

    std::function<bool(uint8_t, uint8_t)> failRead;
    bool nack = true;

private:
    SmbusTransport &m_inner;
};

class FaultyBackend final : public Backend {
public:
    FaultyBackend(const sim::Scenario &scenario, std::shared_ptr<const Clock> clock)
        : m_sim(scenario, std::move(clock)), m_smbus(m_sim.smbus())
    {
    }
    std::string name() const override { return m_sim.name(); }
    std::string description() const override { return m_sim.description(); }
    int portCount() override { return m_sim.portCount(); }
    ParallelPort &port(int index) override { return m_sim.port(index); }
    SmbusTransport &smbus() override { return m_smbus; }
    std::string buildNumber() override { return m_sim.buildNumber(); }

    sim::SimBackend m_sim;
    FaultySmbus m_smbus;
};

// Both chips of the default board, with steady temperatures and these
// registers reading fixed bytes.
sim::Scenario boardReading(const std::map<uint8_t, uint8_t> &fixed = {})
{
    sim::Scenario s = test::boardWith({test::portWith(0x378, {test::steadyChipAt(0x4C, 28, 50)})}, {});
    s.smbus.chips.push_back(test::steadyChipAt(0x18, 28, 50));
    for (sim::ChipSetup *chip : {&s.ports[0].chips[0], &s.smbus.chips[0]})
        chip->fixedReads = fixed;
    return s;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestMonitor : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramFixture> f;
    FaultyBackend *faulty = nullptr;
    MainMenuForm *main = nullptr;
    std::unique_ptr<QTemporaryDir> dir;

    // Lands on the main window over the route, with the "Control Center" page shown.
    bool open(Route route, const sim::Scenario &scenario = boardReading())
    {
        f = std::make_unique<test::ProgramFixture>(scenario);
        return land(route);
    }
    bool openFaulty(const sim::Scenario &scenario = boardReading())
    {
        auto clock = std::make_shared<ManualClock>();
        auto backend = std::make_unique<FaultyBackend>(scenario, clock);
        faulty = backend.get();
        f = std::make_unique<test::ProgramFixture>(std::move(backend), clock);
        return land(Route::Smbus);
    }
    bool land(Route route)
    {
        main = f->finishOn(route);
        if (!main)
            return false;
        f->clock().setTimeOfDay(12 * 3600);
        auto *tabs = control<QTabWidget>(main, "MainTab");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == "Control Center")
                tabs->setCurrentIndex(i);
        f->clearCalls();
        return tabs->tabText(tabs->currentIndex()) == "Control Center";
    }
    TriStateCheckBox *box(const char *name) { return control<TriStateCheckBox>(main, name); }
    // Writes the chip's register behind the program's back.
    void poke(uint8_t writeAddress, int value)
    {
        f->state().RegisterPointer = writeAddress;
        f->state().WriteValue = value;
        f->program->link().WriteRegister();
    }
    // Leaves the page and comes back: it is loaded from the chip again.
    void reenter()
    {
        auto *tabs = control<QTabWidget>(main, "MainTab");
        const int page = tabs->currentIndex();
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(page);
    }
    QString statusLine() { return control<QStatusBar>(main, "StatusLine")->currentMessage(); }
    QTimer &timer1() { return *control<QTimer>(main, "Timer1"); }
    Panel3D *lamp() { return control<Panel3D>(main, "alert_detect_light"); }
    StripChart *chart() { return control<StripChart>(main, "Strip1"); }
    PercentBar *bar(const char *name) { return control<PercentBar>(main, name); }
    void switchOn(std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            box(name)->setValue(TriStateCheckBox::On);
    }
    // Logging to a new file in the test's folder, with this delay.
    QString logTo(const QString &delay)
    {
        control<QLineEdit>(main, "Text1")->setText(delay);
        const QString path = dir->filePath("readings.xls");
        f->ui.fileAnswers << path;
        QTest::mouseClick(control<QPushButton>(main, "MakeLog_CMD"), Qt::LeftButton);
        return path;
    }
    // The panels that need the program's services, found as controls are.
    LogPanel *logPanel() { return qobject_cast<LogPanel *>(control<Panel3D>(main, "SSPanel10")); }
    AlertPanel *alertPanel() { return qobject_cast<AlertPanel *>(control<Panel3D>(main, "SSPanel20")); }
    // Logging off and greyed; after a failure the file is forgotten too.
    void verifyLoggingOff(bool forgotten = true)
    {
        QCOMPARE(box("Check3")->value(), 2);
        QVERIFY(!box("Check3")->isEnabled());
        QCOMPARE(box("Check3")->text(), QString("Not Logging to File"));
        QCOMPARE(control<QLabel>(main, "Label14")->text(), QString());
        QVERIFY(control<QPushButton>(main, "MakeLog_CMD")->isEnabled());
        QVERIFY(logPanel() && logPanel()->LogFileName().isEmpty() == forgotten);
    }

private slots:
    void init();
    void cleanup();

    void decodeTemperature_data();
    void decodeTemperature();
    void percentBarLevel_data();
    void percentBarLevel();
    void barCaption_data();
    void barCaption();

    void pageStartState();
    void fiveReadsInOrder_data();
    void fiveReadsInOrder();
    void remoteReadingShown_data();
    void remoteReadingShown();
    void statusLamp_data();
    void statusLamp();
    void alertEpisode_data();
    void alertEpisode();
    void alertHold_data();
    void alertHold();
    void lampHoldsTheAlert_data();
    void lampHoldsTheAlert();
    void hotExampleBoardAlertsAndCools();
    void chartShadesWhatTheLampShows();
    void togglesStartAndStopTimer1_data();
    void togglesStartAndStopTimer1();
    void aClickRunsTheHandler();
    void barsClearedWhenSwitchedOff();
    void graphsOffSwitchLoggingOff_data();
    void graphsOffSwitchLoggingOff();
    void loggingStartsGraphing_data();
    void loggingStartsGraphing();
    void stopTimer1LeavesTheToggles();

    void clearAlertOnPrinterPort();
    void clearAlertOnSmbus_data();
    void clearAlertOnSmbus();
    void pauseZeroReturnsAtOnce();
    void pauseHandlesEventsUntilTimeHasPassed();

    void recordEveryTickWithDelayZero();
    void busFailureInStep2();
    void logFailureKeepsTheCycleRunning();
    void oneFailureBoxAtATime();
    void ticksGoOnUnderARealBox();

    void clearGraphThenDrawAgain();
    void timeStampsOnLeftClick();
    void chartTimeGoesOnPastMidnight();
};

void TestMonitor::init()
{
    dir = std::make_unique<QTemporaryDir>();
}

void TestMonitor::cleanup()
{
    main = nullptr;
    faulty = nullptr;
    f.reset();
    dir.reset();
}

void TestMonitor::decodeTemperature_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("celsius");
    QTest::newRow("0x00") << 0x00 << 0;
    QTest::newRow("0x19") << 0x19 << 25;
    QTest::newRow("0x7F") << 0x7F << 127;
    QTest::newRow("0x80") << 0x80 << -128;
    QTest::newRow("0x81") << 0x81 << -127;
    QTest::newRow("0xC9") << 0xC9 << -55;
    QTest::newRow("0xFF") << 0xFF << -1;
}

void TestMonitor::decodeTemperature()
{
    QFETCH(int, byte);
    QFETCH(int, celsius);
    QCOMPARE(int(ort::decodeTemperature(byte)), celsius);
}

void TestMonitor::percentBarLevel_data()
{
    QTest::addColumn<int>("celsius");
    QTest::addColumn<int>("level");
    QTest::newRow("-128") << -128 << 0;
    QTest::newRow("-127") << -127 << 0;
    QTest::newRow("-26") << -26 << 40;
    QTest::newRow("-1") << -1 << 49;
    QTest::newRow("0") << 0 << 50;
    QTest::newRow("25") << 25 << 60;
    QTest::newRow("26") << 26 << 60;
    QTest::newRow("126") << 126 << 99;
    QTest::newRow("127") << 127 << 100;
}

void TestMonitor::percentBarLevel()
{
    QFETCH(int, celsius);
    QFETCH(int, level);
    QCOMPARE(ort::percentBarLevel(celsius), level);
}

void TestMonitor::barCaption_data()
{
    QTest::addColumn<int>("celsius");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("positive, printer port") << 25 << true << "Remote Temp. = 25C";
    QTest::newRow("positive, SMBus") << 25 << false << "Remote Temp. = +25C";
    QTest::newRow("zero, printer port") << 0 << true << "Remote Temp. = 0C";
    QTest::newRow("zero, SMBus") << 0 << false << "Remote Temp. = 0C";
    QTest::newRow("negative, printer port") << -1 << true << "Remote Temp. = -1C";
    QTest::newRow("negative, SMBus") << -128 << false << "Remote Temp. = -128C";
}

void TestMonitor::barCaption()
{
    QFETCH(int, celsius);
    QFETCH(bool, printer);
    QFETCH(QString, caption);
    QCOMPARE(ort::barCaption("Remote Temp. = ", celsius, printer ? chip::Route::PrinterPort : chip::Route::Smbus), caption);
}

void TestMonitor::pageStartState()
{
    QVERIFY(open(Route::Smbus));
    QCOMPARE(control<Panel3D>(main, "SSPanel6")->caption(), QString("Graph"));
    QCOMPARE(control<Panel3D>(main, "SSPanel20")->caption(), QString("Alert Status"));
    QCOMPARE(control<Panel3D>(main, "SSPanel10")->caption(), QString("Log to File"));
    QVERIFY(control<Panel3D>(main, "SSPanel21"));
    QCOMPARE(box("alert_button")->text(), QString("Not checking for a software Alert"));
    QCOMPARE(box("Check1")->text(), QString("Bargraphs are Off"));
    QCOMPARE(box("Check2")->text(), QString("Graphing is Stopped"));
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 0);
    QCOMPARE(lamp()->caption(), QString("Alert Detect Off"));
    QCOMPARE(lamp()->backgroundColor(), QColor(192, 192, 192));
    auto *clear = control<QPushButton>(main, "Command2");
    QCOMPARE(clear->text(), QString("Clr Alert Hardware Int"));
    QCOMPARE(clear->toolTip(), QString("Clear the Alert Hardware Interrupt"));
    QCOMPARE(control<QPushButton>(main, "Command6")->text(), QString("Clear Graph"));
    // Entering the page cleared the bars' design-time texts.
    QCOMPARE(bar("Percent1")->text(), QString());
    QCOMPARE(bar("Percent2")->text(), QString());
    QCOMPARE(bar("Percent1")->value(), 0.0);
    // Each bar in its trace's colour.
    QCOMPARE(bar("Percent2")->barColor(), chart()->traceColor(0));
    QCOMPARE(bar("Percent1")->barColor(), chart()->traceColor(1));
    QVERIFY(!timer1().isActive());
    QCOMPARE(timer1().interval(), 0);
    QCOMPARE(timer1().timerType(), Qt::PreciseTimer);

    StripChart *c = chart();
    QCOMPARE(c->traceCaption(0), QString("Remote Temperature"));
    QCOMPARE(c->traceCaption(1), QString("Local Temperature"));
    for (int trace : {0, 1}) {
        QCOMPARE(c->traceMin(trace), -127.0);
        QCOMPARE(c->traceMax(trace), 127.0);
    }
    QCOMPARE(c->timeCaption(), QString("Time"));
    QCOMPARE(c->valueCaption(), QString("Temperature (C)"));
    QCOMPARE(c->timeFormat(), QString("%H:%M:%S "));
    QCOMPARE(c->toolTip(),
             QString("Drag the Arrows to zoom in or out, Left Click Timestamps, Right Drag Moves Graph"));
    QVERIFY(f->calls().isEmpty());
}

void TestMonitor::fiveReadsInOrder_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<QStringList>("calls");
    QStringList printer;
    for (int reg : {2, 1, 0, 1, 0})
        printer << "PrinterPortLink.SetPortBase(888)" << QString("PrinterPortLink.ReadRegister(152,%1)").arg(reg);
    QTest::newRow("printer port") << Route::PrinterPort << printer;
    QTest::newRow("SMBus") << Route::Smbus
                           << QStringList({"SmbusHost.ReadRegister(24,2)", "SmbusHost.ReadRegister(24,1)",
                                           "SmbusHost.ReadRegister(24,0)", "SmbusHost.ReadRegister(24,1)",
                                           "SmbusHost.ReadRegister(24,0)"});
}

void TestMonitor::fiveReadsInOrder()
{
    QFETCH(Route, route);
    QFETCH(QStringList, calls);
    QVERIFY(open(route));
    const QString path = logTo("0");
    switchOn({"alert_button", "Check1", "Check2"});
    f->clearCalls();
    QCOMPARE(f->tick(timer1()), 1);
    QCOMPARE(f->calls(), calls);
    f->clearCalls();
    QCOMPARE(f->tick(timer1(), 3), 3);
    QCOMPARE(f->calls().size(), 3 * calls.size());
    QCOMPARE(contents(path).count("\t 50 \t 28 \r\n"), 4);
    QVERIFY(f->ui.messages.isEmpty());
}

void TestMonitor::remoteReadingShown_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("level");
    QTest::addColumn<float>("point");
    QTest::addColumn<QByteArray>("logged");
    QTest::newRow("0x19 printer port") << Route::PrinterPort << 0x19 << "Remote Temp. = 25C" << 60 << 25.f
                                       << QByteArray("\t 25 \t 28 \r\n");
    QTest::newRow("0x19 SMBus") << Route::Smbus << 0x19 << "Remote Temp. = +25C" << 60 << 25.f
                                << QByteArray("\t 25 \t 28 \r\n");
    QTest::newRow("0xFF printer port") << Route::PrinterPort << 0xFF << "Remote Temp. = -1C" << 49 << -1.f
                                       << QByteArray("\t-1 \t 28 \r\n");
    QTest::newRow("0xFF SMBus") << Route::Smbus << 0xFF << "Remote Temp. = -1C" << 49 << -1.f
                                << QByteArray("\t-1 \t 28 \r\n");
    QTest::newRow("0x80 SMBus") << Route::Smbus << 0x80 << "Remote Temp. = -128C" << 0 << -128.f
                                << QByteArray("\t-128 \t 28 \r\n");
    QTest::newRow("0x00 printer port") << Route::PrinterPort << 0x00 << "Remote Temp. = 0C" << 50 << 0.f
                                       << QByteArray("\t 0 \t 28 \r\n");
    QTest::newRow("0x00 SMBus") << Route::Smbus << 0x00 << "Remote Temp. = 0C" << 50 << 0.f
                                << QByteArray("\t 0 \t 28 \r\n");
}

void TestMonitor::remoteReadingShown()
{
    QFETCH(Route, route);
    QFETCH(int, byte);
    QFETCH(QString, caption);
    QFETCH(int, level);
    QFETCH(float, point);
    QFETCH(QByteArray, logged);
    QVERIFY(open(route, boardReading({{chip::RemoteTemperature, uint8_t(byte)}})));
    const QString path = logTo("0");
    switchOn({"Check1", "Check2"});
    f->tick(timer1());
    QCOMPARE(bar("Percent2")->text(), caption);
    QCOMPARE(bar("Percent2")->value(), double(level));
    QCOMPARE(bar("Percent1")->text(),
             route == Route::Smbus ? QString("Local Temp. = +28C") : QString("Local Temp. = 28C"));
    QCOMPARE(bar("Percent1")->value(), 61.0);
    QCOMPARE(chart()->history(0).size(), std::size_t(1));
    QCOMPARE(chart()->history(0).value(0), point);
    QCOMPARE(chart()->history(1).value(0), 28.f);
    QCOMPARE(contents(path), logHeader() + "\r12:00:00" + logged);

    // Graphing alone feeds the log too.
    box("Check1")->setValue(0);
    f->tick(timer1());
    QCOMPARE(chart()->history(0).size(), std::size_t(2));
    QVERIFY(contents(path).endsWith(logged));
    QCOMPARE(contents(path).count(logged), 2);
}

void TestMonitor::statusLamp_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    const QColor red(255, 0, 0), green(0, 255, 0);
    QTest::newRow("nothing") << 0x00 << "No Alert Detected" << green;
    QTest::newRow("open remote diode only") << 0x04 << "No Alert Detected" << green;
    QTest::newRow("converting, open diode") << 0x84 << "No Alert Detected" << green;
    QTest::newRow("remote low") << 0x08 << "Alert Detected" << red;
    QTest::newRow("remote high") << 0x10 << "Alert Detected" << red;
    QTest::newRow("local low") << 0x20 << "Alert Detected" << red;
    QTest::newRow("local high") << 0x40 << "Alert Detected" << red;
    QTest::newRow("all") << 0xFF << "Alert Detected" << red;
}

void TestMonitor::statusLamp()
{
    QFETCH(int, status);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    QVERIFY(open(Route::Smbus, boardReading({{chip::Status, uint8_t(status)}})));
    switchOn({"alert_button"});
    f->tick(timer1());
    QCOMPARE(f->calls(), QStringList({"SmbusHost.ReadRegister(24,2)"}));
    QCOMPARE(lamp()->caption(), caption);
    QCOMPARE(lamp()->backgroundColor(), colour);
    // Any toggle's click shows "no alert" until the next tick reads the chip.
    box("Check1")->setValue(1);
    QCOMPARE(lamp()->caption(), QString("No Alert Detected"));
}

void TestMonitor::alertHold_data()
{
    // Status reads at these times, "F" flagged or "-" clear; the lamp after
    // each, "R" red or "G" green.
    QTest::addColumn<int>("rate");
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<QString>("reads");
    QTest::addColumn<QString>("lamp");
    // The hold is a period and a quarter: 5 s at the power-on rate.
    const QList<double> t = {0, 1, 4.99, 5, 6, 7};
    QTest::newRow("clear reads within the hold") << 2 << t << "F---F-" << "RRRGRR";
    QTest::newRow("flag again restarts it") << 2 << t << "F-F---" << "RRRRRR";
    QTest::newRow("codes above 7 act as 7") << 9 << QList<double>{0, 0.15, 0.16} << "F--" << "RRG";
    QTest::newRow("slowest rate") << 0 << QList<double>{0, 19.9, 20} << "F--" << "RRG";
}

void TestMonitor::alertHold()
{
    QFETCH(int, rate);
    QFETCH(QList<double>, times);
    QFETCH(QString, reads);
    QFETCH(QString, lamp);
    AlertHold hold;
    QString shown;
    for (int i = 0; i < times.size(); ++i)
        shown += hold.read(reads[i] == 'F', times[i], conversionPeriod(rate)) ? 'R' : 'G';
    QCOMPARE(shown, lamp);
}

void TestMonitor::alertEpisode_data()
{
    // The lamp after reads at these times, "R" or "G"; what is told at each,
    // "S" a start, "E" an end (with the time the lamp cleared), "." nothing;
    // the last character is what the end of the reads still tells.
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<QString>("lamp");
    QTest::addColumn<QString>("told");
    QTest::addColumn<double>("endAt");
    QTest::newRow("one alert") << QList<double>{0, 1, 2, 11.9, 12} << "RRGGG" << "S...E." << 2.0;
    QTest::newRow("flapping is one episode")
        << QList<double>{0, 1, 2, 3, 4, 13, 14} << "RGRGGGG" << "S....E.." << 3.0;
    QTest::newRow("a second alert after the quiet")
        << QList<double>{0, 1, 11, 12, 13} << "RGGRG" << "S.ES.E" << 13.0;
    QTest::newRow("the end of the reads tells the end") << QList<double>{0, 1, 2} << "RGG" << "S..E" << 1.0;
    QTest::newRow("no alert") << QList<double>{0, 20} << "GG" << "..." << -1.0;
}

void TestMonitor::alertEpisode()
{
    QFETCH(QList<double>, times);
    QFETCH(QString, lamp);
    QFETCH(QString, told);
    QFETCH(double, endAt);
    struct Change {
        bool alert;
        double at;
    };
    AlertEpisode<Change> episode;
    QString said;
    double endedAt = -1;
    const auto tell = [&](std::optional<Change> c) {
        said += !c ? '.' : c->alert ? 'S' : 'E';
        if (c && !c->alert)
            endedAt = c->at;
    };
    bool shown = false;
    for (int i = 0; i < times.size(); ++i) {
        const bool red = lamp[i] == 'R';
        tell(episode.read(red != shown ? std::optional<Change>(Change{red, times[i]}) : std::nullopt, times[i]));
        shown = red;
    }
    tell(episode.finish());
    QCOMPARE(said, told);
    QCOMPARE(endedAt, endAt);
}

void TestMonitor::lampHoldsTheAlert_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("knob");   // set by turning Selector1, else read on entering the page
    QTest::newRow("power-on rate") << 2 << false;
    QTest::newRow("rate read on entry") << 5 << false;
    QTest::newRow("rate from the knob") << 7 << true;
}

// The chip's flags come back only at its next conversion after a status
// read; the lamp stays red in between, and goes green once a whole
// conversion has passed without a flag.
void TestMonitor::lampHoldsTheAlert()
{
    QFETCH(int, rate);
    QFETCH(bool, knob);
    sim::Scenario s = boardReading();
    s.smbus.chips[0].remote = sim::constantTemperature(50);
    QVERIFY(open(Route::Smbus, s));
    poke(chip::RemoteHighLimitWrite, 40);
    if (!knob)
        poke(chip::ConversionRateWrite, rate);
    reenter();
    if (knob) {
        auto *selector = control<RotarySelector>(main, "Selector1");
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->labelRect(rate).center().toPoint());
    }
    const double period = conversionPeriod(rate);
    const int perPeriod = int(period / 0.005);
    switchOn({"alert_button"});
    QString lamps;
    for (int i = 0; i < 3 * perPeriod; ++i) {
        f->tick(timer1());
        lamps += lamp()->caption() == "Alert Detected" ? 'R' : 'G';
    }
    QVERIFY2(lamps.contains('R'), "no alert was ever shown");
    QCOMPARE(lamps.indexOf('G', lamps.indexOf('R')), -1);

    // The limit goes back up: the alert ends within the hold and a conversion.
    poke(chip::RemoteHighLimitWrite, 0x7F);
    int red = 0;
    while (lamp()->caption() == "Alert Detected" && red < 3 * perPeriod) {
        f->tick(timer1());
        ++red;
    }
    QVERIFY2(red <= int(2.25 * perPeriod) + 1, qPrintable(QString::number(red)));
    QCOMPARE(lamp()->backgroundColor(), QColor(0, 255, 0));
    QVERIFY(f->ui.messages.isEmpty());
}

// The README's example of a board that runs hot: the lamp turns red within a
// minute of the start and green again as the chip cools.
void TestMonitor::hotExampleBoardAlertsAndCools()
{
    ComponentOptions options;
    options.board = ORT_BOARDS_DIR "/hot.json";
    readBoard(options);
    QVERIFY(open(Route::PrinterPort, *options.scenario));
    switchOn({"alert_button"});
    QString lamps;
    for (int second = 0; second < 120; ++second) {
        f->tick(timer1(), 1, 1.0);
        lamps += lamp()->caption() == "Alert Detected" ? 'R' : 'G';
    }
    QVERIFY2(QRegularExpression("^G+R+G+$").match(lamps).hasMatch() && lamps.indexOf('R') < 60, qPrintable(lamps));
}

// Each tick's samples are shaded as the lamp showed the alert then, its hold
// included: an alert that ends, one that starts again, and nothing shaded
// once alert checking is off while the chip still flags.
void TestMonitor::chartShadesWhatTheLampShows()
{
    sim::Scenario s = boardReading();
    s.smbus.chips[0].remote = sim::constantTemperature(50);
    QVERIFY(open(Route::Smbus, s));
    poke(chip::ConversionRateWrite, 7);   // a conversion every 25 ticks
    reenter();
    switchOn({"Check2", "alert_button"});
    QString lamps, shaded;
    for (int i = 0; i < 500; ++i) {
        if (i == 0 || i == 200 || i == 300)
            poke(chip::RemoteHighLimitWrite, i == 200 ? 0x7F : 40);
        if (i == 400)
            box("alert_button")->setValue(TriStateCheckBox::Off);
        f->tick(timer1());
        lamps += lamp()->caption() == "Alert Detected" ? 'R' : 'G';
    }
    const SampleHistory &marks = chart()->marks(), &samples = chart()->history(GraphPanel::RemoteTrace);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t after = marks.lowerBound(samples.time(i) + 0.0005);
        shaded += after > 0 && marks.value(after - 1) != 0 ? 'R' : 'G';
    }
    QCOMPARE(shaded, lamps);
    QVERIFY2(QRegularExpression("^G*R+G+R+G{100}$").match(lamps).hasMatch(), qPrintable(lamps));
}

void TestMonitor::togglesStartAndStopTimer1_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("off");
    QTest::newRow("alert check") << "alert_button" << "Checking for a software Alert"
                                 << "Not checking for a software Alert";
    QTest::newRow("bar graphs") << "Check1" << "Bargraphs are On" << "Bargraphs are Off";
    QTest::newRow("graphing") << "Check2" << "Graphing Now" << "Graphing Stopped";
}

void TestMonitor::togglesStartAndStopTimer1()
{
    QFETCH(QString, name);
    QFETCH(QString, on);
    QFETCH(QString, off);
    QVERIFY(open(Route::Smbus));
    TriStateCheckBox *toggle = box(qPrintable(name));
    toggle->setValue(1);
    QVERIFY(timer1().isActive());
    QCOMPARE(timer1().interval(), 5);
    QCOMPARE(toggle->text(), on);
    QCOMPARE(lamp()->caption(), name == "alert_button" ? QString("No Alert Detected") : QString("Alert Detect Off"));
    QCOMPARE(lamp()->backgroundColor(), name == "alert_button" ? QColor(0, 255, 0) : QColor(192, 192, 192));
    // Another toggle on and this one off: the timer goes on.
    const char *other = name == "Check2" ? "Check1" : "Check2";
    box(other)->setValue(1);
    toggle->setValue(0);
    QVERIFY(timer1().isActive());
    QCOMPARE(toggle->text(), off);
    box(other)->setValue(0);
    QVERIFY(!timer1().isActive());
    QCOMPARE(lamp()->caption(), QString("Alert Detect Off"));
    QCOMPARE(lamp()->backgroundColor(), QColor(192, 192, 192));
    QVERIFY(f->calls().isEmpty());
}

void TestMonitor::aClickRunsTheHandler()
{
    QVERIFY(open(Route::Smbus));
    QTest::mouseClick(box("alert_button"), Qt::LeftButton);
    QCOMPARE(box("alert_button")->value(), 1);
    QVERIFY(timer1().isActive());
    QCOMPARE(lamp()->caption(), QString("No Alert Detected"));
    QTest::mouseClick(box("alert_button"), Qt::LeftButton);
    QCOMPARE(box("alert_button")->value(), 0);
    QVERIFY(!timer1().isActive());
}

void TestMonitor::barsClearedWhenSwitchedOff()
{
    QVERIFY(open(Route::Smbus));
    switchOn({"Check1", "alert_button"});
    f->tick(timer1());
    QCOMPARE(bar("Percent2")->text(), QString("Remote Temp. = +50C"));
    box("Check1")->setValue(0);
    QVERIFY(timer1().isActive());
    for (const char *name : {"Percent1", "Percent2"}) {
        QCOMPARE(bar(name)->value(), 0.0);
        QCOMPARE(bar(name)->text(), QString());
    }
    f->clearCalls();
    f->tick(timer1());
    QCOMPARE(f->calls(), QStringList({"SmbusHost.ReadRegister(24,2)"}));   // the bars read nothing
    QCOMPARE(bar("Percent2")->text(), QString());
}

void TestMonitor::graphsOffSwitchLoggingOff_data()
{
    QTest::addColumn<bool>("barsOn");
    QTest::newRow("bar graphs off") << false;
    QTest::newRow("bar graphs on") << true;
}

void TestMonitor::graphsOffSwitchLoggingOff()
{
    QFETCH(bool, barsOn);
    QVERIFY(open(Route::Smbus));
    logTo("0");
    QCOMPARE(box("Check2")->value(), 1);
    box("Check1")->setValue(barsOn ? 1 : 0);
    QCOMPARE(box("Check3")->value(), 1);
    box("Check2")->setValue(0);
    if (barsOn) {
        QCOMPARE(box("Check3")->value(), 1);
        box("Check1")->setValue(0);   // the other graph's box does the same
    }
    verifyLoggingOff(false);
    QVERIFY(!timer1().isActive());
}

void TestMonitor::loggingStartsGraphing_data()
{
    QTest::addColumn<bool>("barsOn");
    QTest::newRow("nothing on") << false;
    QTest::newRow("bar graphs on") << true;
}

void TestMonitor::loggingStartsGraphing()
{
    QFETCH(bool, barsOn);
    QVERIFY(open(Route::Smbus));
    box("Check1")->setValue(barsOn ? 1 : 0);
    logTo("5");
    QCOMPARE(box("Check3")->value(), 1);
    QCOMPARE(box("Check2")->value(), barsOn ? 0 : 1);
    QCOMPARE(box("Check2")->text(), barsOn ? QString("Graphing Stopped") : QString("Graphing Now"));
    QVERIFY(timer1().isActive());
}

void TestMonitor::stopTimer1LeavesTheToggles()
{
    QVERIFY(open(Route::Smbus));
    switchOn({"alert_button", "Check1", "Check2"});
    QVERIFY(main->measurementCycle());
    main->measurementCycle()->stopTimer1();
    QVERIFY(!timer1().isActive());
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 1);
}

void TestMonitor::clearAlertOnPrinterPort()
{
    QVERIFY(open(Route::PrinterPort));
    switchOn({"alert_button", "Check1", "Check2"});
    // Ticks that arrive during the pauses must not reach the bus.
    QList<int> pausedAt;
    QList<double> pausedFor;
    QVERIFY(alertPanel());
    alertPanel()->setEventPump([&](double left) {
        pausedAt << int(f->calls().size());
        pausedFor << left;
        f->tick(timer1());
    });
    const double before = f->clock().now();
    // The search probed under both link variants; only what follows counts.
    const std::size_t violations = f->board.backend->port(0).violations().size();
    QTest::mouseClick(control<QPushButton>(main, "Command2"), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"PrinterPortLink.SetPortBase(888)", "PrinterPortLink.ReadRegister(152,2)",
                                      "PrinterPortLink.Start()", "PrinterPortLink.SendByte(25)",
                                      "PrinterPortLink.ReceiveAck()", "PrinterPortLink.ReceiveByte()",
                                      "PrinterPortLink.SendNoAck()", "PrinterPortLink.Stop()"}));
    // Two pauses of 10 ms, each handling events twice on the 5 ms ticks.
    QCOMPARE(pausedAt, QList<int>({6, 6, 7, 7}));
    QCOMPARE(pausedFor[0], 0.01);
    QVERIFY(f->clock().now() - before >= 0.02 - 1e-9);
    QVERIFY(f->ui.messages.isEmpty());
    QCOMPARE(lamp()->caption(), QString("No Alert Detected"));
    QCOMPARE(f->board.backend->port(0).violations().size(), violations);
    // Once the sequence has stopped, a tick reads again.
    f->clearCalls();
    f->tick(timer1());
    QCOMPARE(f->calls().size(), 10);
}

void TestMonitor::clearAlertOnSmbus_data()
{
    QTest::addColumn<bool>("hostFails");
    QTest::newRow("nobody alerting") << false;
    QTest::newRow("host failure") << true;
}

void TestMonitor::clearAlertOnSmbus()
{
    QFETCH(bool, hostFails);
    QVERIFY(openFaulty());
    faulty->m_smbus.nack = false;
    faulty->m_smbus.failRead = [&](uint8_t address, uint8_t) { return hostFails && address == 12; };
    QCOMPARE(f->state().DeviceAddress, int16_t(0x18));
    f->clearCalls();
    QTest::mouseClick(control<QPushButton>(main, "Command2"), Qt::LeftButton);
    QCOMPARE(f->calls(), QStringList({"SmbusHost.ReadRegister(12,255)"}));
    QCOMPARE(f->state().DeviceAddress, int16_t(0x18));
    // A missing acknowledge at 0Ch means nobody is alerting; another failure is shown.
    QCOMPARE(f->ui.messages.size(), hostFails ? 1 : 0);
    if (hostFails)
        QCOMPARE(f->ui.messages[0].text, QString("The SMBus host controller is busy.\n\nThe operation was abandoned."));
    QCOMPARE(f->ends, 0);
}

void TestMonitor::pauseZeroReturnsAtOnce()
{
    ManualClock clock;
    int pumped = 0;
    Pause(clock, 0, [&](double) { ++pumped; });
    QCOMPARE(pumped, 0);
}

void TestMonitor::pauseHandlesEventsUntilTimeHasPassed()
{
    ManualClock clock;
    QList<double> asked;
    Pause(clock, 0.01, [&](double left) {
        asked << left;
        clock.advance(0.003);
    });
    QCOMPARE(asked.size(), 4);
    QCOMPARE(asked[0], 0.01);
    QVERIFY(std::abs(asked[3] - 0.001) < 1e-9);
}

void TestMonitor::recordEveryTickWithDelayZero()
{
    QVERIFY(open(Route::PrinterPort, boardReading({{chip::RemoteTemperature, 0xF6}, {chip::LocalTemperature, 0}})));
    const QString path = logTo("0");
    switchOn({"Check1"});
    // From 12:00:00.5 on, the last record's time rounds up to 12:00:01 and
    // lies ahead of the clock: with delay 0 the records go on regardless.
    f->tick(timer1(), 9, 0.1);
    QByteArray expected = logHeader();
    for (int i = 0; i < 9; ++i)
        expected += "\r12:00:00\t-10 \t 0 \r\n";
    QCOMPARE(contents(path), expected);
    QCOMPARE(control<QLabel>(main, "Label14")->text(), QString(" 9"));
}

void TestMonitor::busFailureInStep2()
{
    QVERIFY(openFaulty(boardReading({{chip::Status, chip::StatusRemoteHigh}})));
    const QString path = logTo("0");
    switchOn({"alert_button", "Check1", "Check2"});
    f->tick(timer1());
    QCOMPARE(lamp()->caption(), QString("Alert Detected"));
    const QString remoteBar = bar("Percent2")->text();
    QCOMPARE(remoteBar, QString("Remote Temp. = +50C"));
    const QByteArray logged = contents(path);

    // The chip stops answering the remote temperature read of step 2.
    faulty->m_smbus.failRead = [](uint8_t, uint8_t reg) { return reg == chip::RemoteTemperature; };
    bool checkedWhileOpen = false;
    f->ui.whileOpen = [&](const MessageRequest &) {
        // While the box is up, the lamp shows what step 1 read, and step 3 did not run.
        QCOMPARE(lamp()->caption(), QString("Alert Detected"));
        QCOMPARE(lamp()->backgroundColor(), QColor(255, 0, 0));
        QVERIFY(!timer1().isActive());
        QCOMPARE(box("Check3")->value(), 2);
        checkedWhileOpen = true;
    };
    f->tick(timer1(), 5);
    QVERIFY(checkedWhileOpen);
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].text, QString("No acknowledge from device at 18h.\n\nMonitoring stopped."));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::Critical);
    // After the box: monitoring off through the toggles, logging off, the log as it was.
    QVERIFY(!timer1().isActive());
    for (const char *name : {"alert_button", "Check1", "Check2"})
        QCOMPARE(box(name)->value(), 0);
    QCOMPARE(lamp()->caption(), QString("Alert Detect Off"));
    verifyLoggingOff();
    QCOMPARE(contents(path), logged);
    QCOMPARE(f->ends, 0);
}

void TestMonitor::logFailureKeepsTheCycleRunning()
{
    QVERIFY(open(Route::Smbus));
    const QString path = logTo("0");
    switchOn({"Check1"});
    f->tick(timer1(), 2);
    const QByteArray logged = contents(path);
    {
        test::ReadOnlyFile locked(path);
        f->tick(timer1(), 3);
    }
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("Error"));
    QCOMPARE(f->ui.messages[0].text, QString("There has been a problem writing to the log file.\r"
                                             "This file may be locked by another application.\r\r"
                                             "Permission denied."));
    QCOMPARE(f->ui.messages[0].icon, QMessageBox::NoIcon);
    QVERIFY(timer1().isActive());
    QCOMPARE(box("Check1")->value(), 1);
    QCOMPARE(box("Check2")->value(), 1);
    verifyLoggingOff();
    QCOMPARE(contents(path), logged);
    f->clearCalls();
    QCOMPARE(f->tick(timer1(), 2), 2);
    QCOMPARE(f->calls().size(), 8);   // the graphs go on
}

void TestMonitor::oneFailureBoxAtATime()
{
    QVERIFY(openFaulty());
    const QString path = logTo("0");
    switchOn({"Check1"});
    f->tick(timer1());
    QVERIFY(logPanel());
    logPanel()->file().setWriter([](QFile &, const char *, qint64) -> qint64 { return -1; });
    // While the log's box is open the timer goes on, and the bus fails.
    int ticks = 0;
    f->ui.whileOpen = [&](const MessageRequest &) {
        faulty->m_smbus.failRead = [](uint8_t, uint8_t) { return true; };
        ticks = f->tick(timer1(), 3);
    };
    f->tick(timer1());
    QCOMPARE(ticks, 1);   // the failing tick stopped the timer
    QCOMPARE(f->ui.messages.size(), 1);
    QCOMPARE(f->ui.messages[0].title, QString("Error"));
    QVERIFY(!timer1().isActive());
    QCOMPARE(box("Check1")->value(), 0);
    QCOMPARE(box("Check2")->value(), 0);
    QCOMPARE(f->ends, 0);
    // The bus failure had no box, but the status line says it until
    // something succeeds.
    QCOMPARE(statusLine(), QString("No acknowledge from device at 18h. Monitoring stopped."));
    faulty->m_smbus.failRead = nullptr;
    switchOn({"alert_button"});
    QCOMPARE(statusLine(), QString("No acknowledge from device at 18h. Monitoring stopped."));
    f->tick(timer1());
    QCOMPARE(statusLine(), QString());
}

// A real box runs Qt's own event loop, which never runs a timer from inside
// that timer's handler: the log's box must come after the tick that failed,
// or monitoring stands still until it is closed.
void TestMonitor::ticksGoOnUnderARealBox()
{
    QVERIFY(open(Route::Smbus));
    logTo("0");
    switchOn({"Check1"});
    QVERIFY(logPanel());
    logPanel()->file().setWriter([](QFile &, const char *, qint64) -> qint64 { return -1; });
    int underBox = 0;
    connect(&timer1(), &QTimer::timeout, this, [&] { underBox += f->ui.failures().boxOpen(); });
    test::answerWithRealBoxes(f->ui, [&] { return underBox >= 5; });
    QTRY_VERIFY_WITH_TIMEOUT(f->ui.messages.size() == 1 && !f->ui.failures().boxOpen(), 5000);
    QVERIFY2(underBox >= 5, qPrintable(QString::number(underBox)));
    QVERIFY(timer1().isActive());
    verifyLoggingOff();
}

void TestMonitor::clearGraphThenDrawAgain()
{
    QVERIFY(open(Route::Smbus));
    switchOn({"Check2"});
    f->tick(timer1(), 50);
    chart()->setScrollBack(0.1);
    QVERIFY(!chart()->isFollowing());
    QTest::mouseClick(control<QPushButton>(main, "Command6"), Qt::LeftButton);
    QCOMPARE(chart()->history(0).size(), std::size_t(0));
    QCOMPARE(chart()->history(1).size(), std::size_t(0));
    QCOMPARE(chart()->scrollBack(), 0.0);
    f->tick(timer1());
    QCOMPARE(chart()->history(0).size(), std::size_t(1));
    QCOMPARE(chart()->history(0).value(0), 50.f);
    QCOMPARE(chart()->history(1).value(0), 28.f);
    // Switching graphing off keeps what is drawn.
    box("Check2")->setValue(0);
    QCOMPARE(chart()->history(0).size(), std::size_t(1));
}

void TestMonitor::timeStampsOnLeftClick()
{
    QVERIFY(open(Route::Smbus));
    f->clock().setTimeOfDay(13 * 3600 + 5 * 60 + 9.25);
    StripChart *c = chart();
    const QPoint inside = c->plotRect().center();
    QTest::mouseClick(c, Qt::LeftButton, {}, inside);
    QTest::mouseClick(c, Qt::RightButton, {}, inside);
    QTest::mouseClick(c, Qt::MiddleButton, {}, inside);
    f->clock().advance(0.5);
    QTest::mouseClick(c, Qt::LeftButton, {}, inside);
    QCOMPARE(int(c->timeStamps().size()), 2);
    for (const StripChart::TimeStamp &s : c->timeStamps()) {
        QCOMPARE(s.text, QString("13:05:09"));
        QCOMPARE(s.number, 0.1);
    }
}

void TestMonitor::chartTimeGoesOnPastMidnight()
{
    f = std::make_unique<test::ProgramFixture>(boardReading());
    f->clock().setTimeOfDay(86400 - 10);
    main = f->finishOn(Route::Smbus);
    QVERIFY(main);
    switchOn({"Check2"});
    QStringList shown, expected;
    for (int i = 0; i < 40; ++i) {
        f->tick(timer1(), 1, 0.5);
        const SampleHistory &h = chart()->history(0);
        shown << formatTime(h.time(h.size() - 1), chart()->timeFormat());
        expected << timeOfDayText(f->clock().secondsSinceMidnight()) + " ";
        if (h.size() > 1)
            QVERIFY(h.time(h.size() - 1) > h.time(h.size() - 2));
    }
    QCOMPARE(shown, expected);
    QVERIFY(expected.first().startsWith("23:59"));
    QVERIFY(expected.last().startsWith("00:00"));
}

QTEST_MAIN(TestMonitor)
#include "tst_monitor.moc"
