#include "monitor/limitscale.h"

#include <algorithm>

namespace ort {

namespace {
constexpr int ScaleEnd = 255;
constexpr int SignBit = 0x80;   // flipping it turns a limit byte into its position and back
} // namespace

int GaugePosition(int limitByte)
{
    return (limitByte & 0xFF) ^ SignBit;
}

int limitByte(int position)
{
    return std::clamp(position, 0, ScaleEnd) ^ SignBit;
}

QString LimitCaption(int limitByte)
{
    const int b = limitByte & 0xFF;
    const QString number = b <= 0x7F ? QString::number(b) : QStringLiteral("-") + QString::number(256 - b);
    return number + QStringLiteral(" C");
}

QString positionCaption(int position)
{
    return QString::number(std::clamp(position, 0, ScaleEnd) - SignBit) + QStringLiteral(" C");
}

int separatedHigh(int high, int bandStart)
{
    return std::max(high, bandStart + LimitSeparation);
}

int separatedLow(int low, int bandEnd)
{
    return std::min(low, bandEnd - LimitSeparation);
}

bool limitsApart(int low, int high)
{
    return low >= 0 && high <= ScaleEnd && high - low >= LimitSeparation;
}

} // namespace ort
