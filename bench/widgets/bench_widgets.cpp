// The strip chart fed at 200 samples a second per trace, with a span marked
// for 20 s of every two minutes: the cost of one frame with no history, with
// a full visible minute and with one hour behind it, and the memory the hour
// takes; then the marks' memory where they change at every one of the chip's
// 16 conversions a second, the most the alert lamp can change.
//   QT_QPA_PLATFORM=offscreen bench_widgets
#include "bench/benchsupport.h"
#include "widgets/stripchart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace ort;

namespace {

constexpr int Rate = 200;             // samples per second per trace
constexpr int Hour = 3600 * Rate;    // 720 000

// On for 20 s of every 120 s, with a few changes at each edge as a
// temperature near its limit gives them; from 50 s to 70 s, so that both the
// first minute and the last of an hour show some.
bool alertAt(long tick)
{
    const long inCycle = tick % (120L * Rate);
    const long edge = std::min(std::labs(inCycle - 50L * Rate), std::labs(inCycle - 70L * Rate));
    return (inCycle >= 50L * Rate && inCycle < 70L * Rate) != (edge < Rate && tick / (Rate / 4) % 3 == 0);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    double now = 1.7e9;
    long tick = 0;
    StripChart chart;
    chart.setClock([&now] { return now; });
    chart.setTraceCaption(0, "Remote Temperature");
    chart.setTraceCaption(1, "Local Temperature");
    chart.setValueCaption("Temperature (C)");
    chart.resize(640, 320);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    auto feed = [&](long samples) {
        for (long i = 0; i < samples; ++i, ++tick) {
            const double t = tick / double(Rate);
            chart.setMarked(alertAt(tick));
            chart.addSample(0, std::round(60 + 40 * std::sin(t / 19.0)) + (tick % 3));
            chart.addSample(1, std::round(28 + 2 * std::sin(t / 7.0)));
            now += 1.0 / Rate;
        }
    };

    // A few time stamps in view in every state, as a user's clicks leave them.
    auto stamps = [&] {
        for (int i = 0; i < 3; ++i) {
            chart.addTimeStamp(0.1 + 0.3 * i, "12:00:00");
        }
    };
    stamps();
    auto nothing = [] {};
    // About 60 repaints a second while 200 samples a second come in.
    auto live = [&] { feed(Rate / 60); };
    bench::medianFrameMs(chart, image, nothing);   // warm-up: fonts, glyph caches
    const double empty = bench::medianFrameMs(chart, image, nothing);
    std::printf("stripchart_paint_empty: %.3f ms\n", empty);

    const long rssBefore = bench::residentKiB();
    feed(60 * Rate);
    stamps();
    const double minute = bench::medianFrameMs(chart, image, live);
    std::printf("stripchart_paint_one_minute: %.3f ms\n", minute);

    QElapsedTimer t;
    t.start();
    const long toHour = Hour - static_cast<long>(chart.history(0).size());
    feed(toHour);
    const double perSample = t.nsecsElapsed() / double(2 * toHour);
    const std::size_t hourSamples = chart.history(0).size();
    stamps();
    const long rssAfter = bench::residentKiB();
    const double hour = bench::medianFrameMs(chart, image, live);
    std::printf("stripchart_paint_one_hour: %.3f ms\n", hour);
    std::printf("stripchart_paint_hour_vs_empty: %.1f %%\n", 100.0 * (hour - empty) / empty);
    std::printf("stripchart_paint_hour_vs_minute: %.1f %%\n", 100.0 * (hour - minute) / minute);
    std::printf("stripchart_add_sample: %.1f ns\n", perSample);
    std::printf("stripchart_samples_per_trace: %zu samples\n", hourSamples);
    std::printf("stripchart_history_bytes: %.2f MiB\n", chart.historyBytes() / 1048576.0);
    std::printf("stripchart_mark_changes: %zu changes\n", chart.marks().size());
    std::printf("stripchart_marks_bytes: %.3f MiB\n", chart.marks().bytes() / 1048576.0);
    std::printf("stripchart_rss_delta: %.2f MiB\n", (rssAfter - rssBefore) / 1024.0);

    // Zoomed out to the whole hour: the first frame reduces every sample
    // once, the following ones only what came in since.
    chart.setTimeSpan(3600);
    QElapsedTimer first;
    first.start();
    chart.render(&image);
    std::printf("stripchart_paint_first_frame_hour_window: %.3f ms\n", first.nsecsElapsed() / 1e6);
    std::printf("stripchart_paint_hour_window: %.3f ms\n", bench::medianFrameMs(chart, image, live));

    // The lamp changing at every conversion for an hour, both traces steady.
    StripChart flapping;
    double at = 1.7e9;
    flapping.setClock([&at] { return at; });
    for (long i = 0; i < Hour; ++i, at += 1.0 / Rate) {
        flapping.setMarked(i * 16 / Rate % 2 == 1);
        flapping.addSample(0, 90);
        flapping.addSample(1, 28);
    }
    std::printf("stripchart_marks_bytes_every_conversion_hour: %.2f MiB (%zu changes)\n",
                flapping.marks().bytes() / 1048576.0, flapping.marks().size());
    return 0;
}
