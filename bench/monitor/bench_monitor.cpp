// The measurement cycle on the simulated board, in real time: the main
// window shown offscreen on the "Control Center" page, all four toggles on,
// logging to a file with delay 0, Timer1 at its real 5 ms. For each route:
// ticks per second and CPU time per tick (painting included) starting with
// an empty chart; then, on the SMBus route, the same with 24 hours of
// history behind the chart (filled synthetically at 200 samples a second per
// trace, the alert lamp's spans marked as its hold shows them), the history's
// memory, the cost of a chart frame with a full visible minute and with the
// day behind it, and the resident memory.
//   QT_QPA_PLATFORM=offscreen bench_monitor [seconds per run, default 30] [nofill]
#include "bench/benchsupport.h"
#include "bench/monitoringrun.h"
#include "component/busaccess.h"
#include "component/sim/simbackend.h"
#include "gui/tristatecheckbox.h"
#include "link/chip.h"
#include "log/logpanel.h"
#include "monitor/alerthold.h"
#include "monitor/measurementcycle.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"
#include "widgets/stripchart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

using namespace ort;
using bench::Run;
using bench::cpuSeconds;
using bench::measure;

namespace {

constexpr int Rate = 200;   // samples per second per trace

// Median time of one chart frame, in milliseconds.
double frameMs(StripChart &chart)
{
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    return bench::medianFrameMs(chart, image, [] {}, 200);
}

// Readings as the cycle leaves them, for the given time up to now: a 5 ms
// timer that runs a little late now and then, a chip converting 16 times a
// second with a degree of noise, the remote temperature going up and down
// every two minutes past a 90 C limit, and the lamp's alert as its hold
// shows it. The readings are those of the end of a day, so any length filled
// ends with the same minute.
void fill(StripChart &chart, double seconds)
{
    // What was drawn before would lie after the start of the filled time,
    // and the chart keeps time in order, so it goes first.
    chart.clear();
    const StripChart::Clock live = chart.clock();
    const double end = std::floor(live());
    double now = end - seconds;
    chart.setClock([&now] { return now; });
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> late(0, 0.0006);
    std::uniform_int_distribution<int> noise(-1, 1);
    float remote = 60, local = 28;
    long conversion = -1;
    AlertHold lamp;
    const long total = static_cast<long>(seconds * Rate);
    const long first = 24L * 3600 * Rate - total;
    for (long i = 0; i < total; ++i) {
        const long k = first + i;
        const long c = k * 16 / Rate;
        const bool converted = c != conversion;
        if (converted) {
            conversion = c;
            remote = static_cast<float>(std::lround(60 - 40 * std::cos(k / (Rate * 19.0)))) + noise(rng);
            local = static_cast<float>(28 + noise(rng));
        }
        // The first status read after a conversion finds its flag.
        const bool flagged = converted && remote > 90;
        now = end - seconds + i / double(Rate) + late(rng);
        chart.setMarked(lamp.read(flagged, now, 1.0 / 16));
        chart.addSample(0, remote);
        chart.addSample(1, local);
    }
    chart.setClock(live);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
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
        auto *chart = main->findChild<StripChart *>("Strip1");
        auto *log = main->findChild<LogPanel *>("SSPanel10");

        const Run empty = measure(timer1, seconds);
        std::printf("monitor_%s_ticks_per_second: %.1f ticks/s\n", route, empty.ticksPerSecond);
        std::printf("monitor_%s_cpu_per_tick: %.3f ms\n", route, empty.cpuMsPerTick);

        if (!printer && !(argc > 2 && QByteArray(argv[2]) == "nofill")) {
            fill(*chart, 60);
            const double frameMinute = frameMs(*chart);
            const double rss0 = bench::residentKiB() / 1024.0;
            fill(*chart, 24 * 3600.0);
            std::printf("monitor_history_samples_per_trace: %zu samples\n", chart->history(0).size());
            std::printf("monitor_history_bytes_24h: %.1f MiB\n", chart->historyBytes() / 1048576.0);
            std::printf("monitor_history_alert_changes_24h: %zu changes\n", chart->marks().size());
            std::printf("monitor_history_alert_bytes_24h: %.3f MiB\n", chart->marks().bytes() / 1048576.0);
            std::printf("monitor_history_rss_delta_24h: %.1f MiB\n", bench::residentKiB() / 1024.0 - rss0);
            const Run day = measure(timer1, seconds);
            std::printf("monitor_%s_ticks_per_second_24h: %.1f ticks/s\n", route, day.ticksPerSecond);
            std::printf("monitor_%s_cpu_per_tick_24h: %.3f ms\n", route, day.cpuMsPerTick);
            const double frameDay = frameMs(*chart);
            std::printf("monitor_chart_frame_full_minute: %.3f ms\n", frameMinute);
            std::printf("monitor_chart_frame_24h: %.3f ms\n", frameDay);
            std::printf("monitor_chart_frame_24h_vs_minute: %+.1f %%\n", 100 * (frameDay / frameMinute - 1));
        }
        std::printf("monitor_%s_records_logged: %s lines\n", route,
                    qPrintable(log->findChild<QWidget *>("Label14")->property("text").toString().trimmed()));
        std::printf("monitor_rss: %.1f MiB\n", bench::residentKiB() / 1024.0);
        if (!ui.messages.isEmpty()) {
            std::printf("monitor_%s_error: %s\n", route, qPrintable(ui.messages.first().text));
            status = 1;
        }
        ui.messages.clear();
        main->close();
        QApplication::processEvents();
    }
    return status;
}
