#pragma once
// What the benchmark programs share.
#include "widgets/stripchart.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <vector>

namespace ort::bench {

// The process's resident memory in KiB, from /proc (0 where there is none).
inline long residentKiB()
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Median time of one chart frame rendered into an image, in milliseconds;
// before each frame `between` runs, as new samples arrive between repaints.
template<typename F>
double medianFrameMs(StripChart &chart, QImage &image, F &&between, int frames = 300)
{
    std::vector<double> ms;
    for (int i = 0; i < frames; ++i) {
        between();
        QElapsedTimer t;
        t.start();
        chart.render(&image);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace ort::bench
