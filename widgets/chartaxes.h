#pragma once
#include <QRect>
#include <QString>
#include <vector>

namespace ort {

// Where a time falls across a plot whose left edge shows `start`.
struct TimeScale {
    TimeScale(const QRect &plot, double start, double span)
        : left(plot.left()), start(start), pixelsPerSecond(plot.width() / span)
    {
    }
    double x(double t) const { return left + (t - start) * pixelsPerSecond; }

    double left;
    double start;
    double pixelsPerSecond;
};

// Where a value falls up a plot whose bottom edge shows `min` and top edge `max`.
struct ValueScale {
    ValueScale(const QRect &plot, double min, double max)
        : base(plot.bottom() + 1), min(min), pixelsPerUnit(plot.height() / (max - min))
    {
    }
    double y(double v) const { return base - (v - min) * pixelsPerUnit; }

    double base;   // the line just below the plot's last row
    double min;
    double pixelsPerUnit;
};

// Tick times on a time axis: multiples of the smallest round step (1 s to
// 1 h) not shorter than minStep, inside [start, end].
double timeTickStep(double minStep);
std::vector<double> timeTicks(double start, double end, double minStep);

// Ticks on a value axis: multiples of the smallest step of 1, 2 or 5 times a
// power of ten that leaves at most maxTicks steps across [min, max], inside
// [min, max].
double valueTickStep(double range, int maxTicks);
std::vector<double> valueTicks(double min, double max, int maxTicks);

// strftime-style formatting of a time in seconds since the epoch, local time.
QString formatTime(double epochSeconds, const QString &format);

} // namespace ort
