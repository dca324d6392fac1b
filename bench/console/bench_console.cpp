// The bus console open and recording while the measurement cycle runs, in
// real time, as bench_monitor measures it without the console: the main
// window shown offscreen on the "Control Center" page, all four toggles on,
// logging to a file with delay 0, Timer1 at its real 5 ms, the console shown
// beside it. For each route: ticks per second and CPU time per tick
// (painting of both windows included), with the console closed and open in
// turn, three runs of each. Then the ring filled with 100,000
// transfers: the memory it and the table's rows hold, the resident growth,
// one refresh of the full table, and saving it as CSV.
//   QT_QPA_PLATFORM=offscreen bench_console [seconds per run, default 10; three runs of each]
#include "bench/benchsupport.h"
#include "bench/monitoringrun.h"
#include "component/busaccess.h"
#include "component/sim/simbackend.h"
#include "console/busconsole.h"
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "monitor/measurementcycle.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace ort;
using bench::Run;
using bench::cpuSeconds;
using bench::measure;

namespace {

// Each figure's median over the runs.
Run median(std::vector<Run> runs)
{
    auto middle = [&](auto field) {
        std::vector<double> v;
        for (const Run &r : runs)
            v.push_back(r.*field);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return {middle(&Run::ticksPerSecond), middle(&Run::cpuMsPerTick)};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    auto clock = std::make_shared<SystemClock>();
    test::FakeUi ui;
    QTemporaryDir dir;
    int status = 0;

    for (const bool printer : {false, true}) {
        const char *route = printer ? "printer" : "smbus";
        Program program(
            ui, std::make_unique<BusAccessServer>(std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard(), clock)),
            clock);
        MainMenuForm *main = bench::startMonitoring(program, printer, ui, dir.filePath(QString("readings-%1.xls").arg(route)));
        QTimer &timer1 = main->measurementCycle()->Timer1();

        // Runs without the console and with it, in turn, so that both see
        // the same machine (its other work comes and goes); the medians.
        std::vector<Run> closed, open;
        BusConsole *console = nullptr;
        uint64_t recorded = 0;
        for (int round = 0; round < 3; ++round) {
            if (console)
                console->close();
            QApplication::processEvents();
            closed.push_back(measure(timer1, seconds));
            console = program.showBusConsole();
            QApplication::processEvents();
            const uint64_t before = console->ring().end();
            open.push_back(measure(timer1, seconds));
            recorded += console->ring().end() - before;
        }
        const Run bare = median(closed), run = median(open);
        std::printf("console_%s_ticks_per_second_closed: %.1f ticks/s\n", route, bare.ticksPerSecond);
        std::printf("console_%s_cpu_per_tick_closed: %.3f ms\n", route, bare.cpuMsPerTick);
        std::printf("console_%s_ticks_per_second: %.1f ticks/s\n", route, run.ticksPerSecond);
        std::printf("console_%s_cpu_per_tick: %.3f ms\n", route, run.cpuMsPerTick);
        std::printf("console_%s_transfers_recorded: %.0f transfers/s\n", route, recorded / (3 * seconds));
        // The console alone from here: no more ticks.
        timer1.stop();
        // One refresh's repaint of the table, a page of new rows in view.
        QWidget *rows = console->findChild<QAbstractItemView *>("TransferTable")->viewport();
        QImage image(rows->size(), QImage::Format_ARGB32_Premultiplied);
        std::vector<double> frames;
        for (int i = 0; i < 100; ++i) {
            QElapsedTimer t;
            t.start();
            rows->render(&image);
            frames.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(frames.begin(), frames.end());
        std::printf("console_%s_table_frame: %.3f ms\n", route, frames[frames.size() / 2]);
        // A whole refresh as the monitoring makes it: a screenful of new rows
        // taken in, the window painted and shown.
        std::vector<double> refreshes;
        for (int i = 0; i < 100; ++i) {
            for (int n = 0; n < 40; ++n) {
                program.link().read(static_cast<uint8_t>(n % 3));
            }
            const double cpu0 = cpuSeconds();
            console->refresh();
            QApplication::processEvents();
            refreshes.push_back((cpuSeconds() - cpu0) * 1000);
        }
        std::sort(refreshes.begin(), refreshes.end());
        std::printf("console_%s_refresh_cpu: %.3f ms\n", route, refreshes[refreshes.size() / 2]);

        if (!printer) {
            for (const char *name : {"alert_button", "Check1", "Check2"})
                main->findChild<TriStateCheckBox *>(name)->setValue(TriStateCheckBox::Off);
            QApplication::processEvents();
            console->Clear_Click();
            const double rss0 = bench::residentKiB() / 1024.0;
            // A full ring, every transfer through the component as the cycle makes them.
            for (size_t i = 0; i < TransferRing::DefaultCapacity; ++i) {
                program.link().read(static_cast<uint8_t>(i % 3));
            }
            QElapsedTimer t;
            t.start();
            console->refresh();
            QApplication::processEvents();
            const double refreshMs = t.nsecsElapsed() / 1e6;
            std::printf("console_ring_transfers: %zu transfers\n", console->ring().size());
            std::printf("console_ring_bytes_100k: %.2f MiB\n",
                        (console->ring().bytes() + console->model().bytes()) / 1048576.0);
            std::printf("console_rss_delta_100k: %.1f MiB\n", bench::residentKiB() / 1024.0 - rss0);
            std::printf("console_refresh_100k_rows: %.1f ms\n", refreshMs);
            ui.fileAnswers << dir.filePath("transfers.csv");
            t.restart();
            console->Save_Click();
            std::printf("console_save_100k_rows: %.1f ms\n", t.nsecsElapsed() / 1e6);
        }
        if (!ui.messages.isEmpty()) {
            std::printf("console_%s_error: %s\n", route, qPrintable(ui.messages.first().text));
            status = 1;
        }
        ui.messages.clear();
        main->close();
        QApplication::processEvents();
    }
    return status;
}
