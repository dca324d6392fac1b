#pragma once
#include <QString>
#include <vector>

namespace ort {

// Tick times on a time axis: multiples of the smallest round step (1 s to
// 1 h) not shorter than minStep, inside [start, end].
double timeTickStep(double minStep);
std::vector<double> timeTicks(double start, double end, double minStep);

// strftime-style formatting of a time in seconds since the epoch, local time.
QString formatTime(double epochSeconds, const QString &format);

} // namespace ort
