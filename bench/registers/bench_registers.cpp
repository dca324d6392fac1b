// Continuous register reading on the simulated board, over each route: the
// main window shown offscreen on the "Read/Write" tab, Timer3 running as in
// the program (5 ms, precise) against a board on the system clock, for 10 s:
//   QT_QPA_PLATFORM=offscreen build/bench/registers/bench_registers [seconds]
#include "component/busaccess.h"
#include "component/sim/simbackend.h"
#include "registers/registereditor.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"
#include "wizard/initform.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <ctime>

using namespace ort;

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Splash, wizard, a search of one medium and Finish on its first entry.
MainMenuForm *finishOn(Program &program, bool printer)
{
    QTest::keyClick(program.showSplash(), Qt::Key_Space);
    InitForm *wizard = program.existingWizard();
    if (!wizard)
        return nullptr;
    wizard->NextCMD_Click();
    wizard->findChild<QCheckBox *>("PPCheck")->setChecked(printer);
    wizard->findChild<QCheckBox *>("SMBusCheck")->setChecked(!printer);
    wizard->NextCMD_Click();
    auto *list = wizard->findChild<QListWidget *>("SearchResultsLIST");
    if (list->count() == 0)
        return nullptr;
    list->setCurrentRow(0);
    wizard->FinishCMD_Click();
    return program.mainWindow();
}

bool run(const char *route, bool printer, double seconds)
{
    auto clock = std::make_shared<SystemClock>();
    test::FakeUi ui;
    bool ok = false;
    {
        Program program(ui,
                        std::make_unique<BusAccessServer>(
                            std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard(), clock)),
                        clock);
        program.setEndHandler([] {});
        MainMenuForm *main = finishOn(program, printer);
        if (main) {
            main->mainTab()->setCurrentIndex(1);
            QTimer &timer3 = main->registerEditor()->Timer3();
            long ticks = 0;
            QObject::connect(&timer3, &QTimer::timeout, [&ticks] { ++ticks; });
            main->findChild<QToolButton *>("SSRibbon7")->click();   // the remote temperature
            main->findChild<QToolButton *>("SSRibbon5")->click();
            QApplication::processEvents();

            QEventLoop loop;
            QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
            ticks = 0;
            const double wall0 = clock->now(), cpu0 = cpuSeconds();
            loop.exec();
            const double wall = clock->now() - wall0, cpu = cpuSeconds() - cpu0;
            main->findChild<QToolButton *>("SSRibbon5")->click();

            std::printf("continuous_reading_%s_ticks_per_second: %.1f ticks/s\n", route, ticks / wall);
            std::printf("continuous_reading_%s_cpu_per_tick: %.3f ms\n", route, ticks ? cpu / ticks * 1000 : 0.0);
            std::printf("continuous_reading_%s_errors: %lld count\n", route, static_cast<long long>(ui.messages.size()));
            ok = ui.messages.isEmpty() && ticks > 0;
        } else {
            std::fprintf(stderr, "%s: the wizard did not reach the main window\n", route);
        }
        program.unloadAllWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    bool ok = run("printer_port", true, seconds);
    ok = run("smbus", false, seconds) && ok;
    std::printf("continuous_reading_target: 190 ticks/s\n");
    return ok ? 0 : 1;
}
