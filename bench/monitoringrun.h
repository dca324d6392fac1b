#pragma once
// What the benchmarks of the running measurement cycle share: the main
// window monitoring on the simulated board as Finish leaves it, and a real
// time run of Timer1 measured.
#include "component/busaccess.h"
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "monitor/measurementcycle.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <ctime>

namespace ort::bench {

inline double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

struct Run {
    double ticksPerSecond;
    double cpuMsPerTick;
};

// Lets the event loop run Timer1 for `seconds` of real time.
inline Run measure(QTimer &timer1, double seconds)
{
    long ticks = 0;
    const QMetaObject::Connection counting = QObject::connect(&timer1, &QTimer::timeout, [&] { ++ticks; });
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    loop.exec();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    QObject::disconnect(counting);
    return {ticks / elapsed, ticks ? cpu * 1000 / ticks : 0};
}

// The main window on the "Control Center" page for the default board's chip
// on one route, all four toggles on and logging to `logPath` with delay 0.
inline MainMenuForm *startMonitoring(Program &program, bool printer, test::FakeUi &ui, const QString &logPath)
{
    BusAccessServer &bus = program.bus();
    program.setEndHandler([] {});
    // What Finish does for the default board's chip on that route.
    Declare &d = program.state();
    if (printer) {
        bus.PrinterPort().SelectPort(0);
        bus.PrinterPort().Link().SetLinkVariant(true);
        bus.PrinterPort().Link().SetDeviceAddress(0x98);
        bus.SelectBus(chip::SelectPrinterPort);
        d.BusMedium = chip::MediumPrinterPort;
        d.PrinterPortBase = bus.PrinterPort().Link().PortBase();
        d.DeviceAddress = 0x98;
    } else {
        bus.Smbus().SetDeviceAddress(0x18);
        bus.SelectBus(chip::SelectSmbus);
        d.BusMedium = chip::MediumSmbus;
        d.DeviceAddress = 0x18;
    }
    program.showMainWindow();
    MainMenuForm *main = program.mainWindow();
    auto *tabs = main->findChild<QTabWidget *>("MainTab");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "Control Center")
            tabs->setCurrentIndex(i);
    QApplication::processEvents();

    main->findChild<QLineEdit *>("Text1")->setText("0");
    ui.fileAnswers << logPath;
    main->findChild<QPushButton *>("MakeLog_CMD")->click();
    for (const char *name : {"alert_button", "Check1", "Check2"})
        main->findChild<TriStateCheckBox *>(name)->setValue(TriStateCheckBox::On);
    return main;
}

} // namespace ort::bench
