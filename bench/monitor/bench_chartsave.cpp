// "Save Readings…" of a full day: the strip chart filled with 24 hours at
// 200 samples a second per trace, both readings changing at every one of the
// chip's 16 conversions a second (the most rows a day can have), an alert
// for 20 s of every two minutes, written as CSV to a file in a temporary
// folder as the "Graph" panel writes it.
//   QT_QPA_PLATFORM=offscreen bench_chartsave
#include "monitor/graphpanel.h"
#include "widgets/stripchart.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace ort;

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    constexpr long Rate = 200;        // samples a second per trace
    constexpr long kConversions = 16;  // a second
    constexpr long kDay = 24L * 3600;
    StripChart chart;
    const double start = QDateTime(QDate(2024, 5, 1), QTime(0, 0)).toMSecsSinceEpoch() / 1000.0;
    double now = start;
    chart.setClock([&now] { return now; });
    for (long i = 0; i < kDay * Rate; ++i) {
        const long conversion = i * kConversions / Rate;
        now = start + static_cast<double>(i) / Rate;
        chart.setMarked(i / Rate % 120 >= 100);
        chart.addSample(GraphPanel::RemoteTrace, 20 + conversion % 80);
        chart.addSample(GraphPanel::LocalTrace, 28 + conversion % 2);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("readings.csv");
    QElapsedTimer timer;
    timer.start();
    const double cpu0 = cpuSeconds();
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && writeReadingsCsv(chart, file) && file.commit();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    if (!written) {
        std::printf("chartsave_error: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    QFile back(path);
    back.open(QIODevice::ReadOnly);
    long rows = -1;   // the header is no row
    while (!back.atEnd())
        rows += back.readLine().endsWith('\n') ? 1 : 0;
    std::printf("chartsave_readings_day: %.2f s\n", seconds);
    std::printf("chartsave_readings_day_cpu: %.2f s\n", cpu);
    std::printf("chartsave_readings_rows: %ld rows\n", rows);
    std::printf("chartsave_readings_file: %.1f MiB\n", QFileInfo(path).size() / 1048576.0);
    std::printf("chartsave_samples_per_trace: %zu samples\n", chart.history(0).size());
    return rows == kDay * kConversions ? 0 : 1;
}
