#include "monitor/limitscale.h"

#include <algorithm>

namespace ort {

namespace {
constexpr int ScaleEnd = 255;
constexpr int ZeroPosition = 128;   // 0 C

// 128 - (m AND 0x7F): the link's sign handling of a byte's low seven bits,
// magnitude to two's complement and back; 0 gives 128.
int negativeMagnitude(int value)
{
    return ((~value) & 0x7F) + 1;
}
} // namespace

int ReadBackPosition(int limitByte)
{
    const int b = limitByte & 0xFF;
    if (b <= 0x7F)
        return b + ZeroPosition;
    return negativeMagnitude(b & 0x7F);
}

int GaugePosition(int limitByte)
{
    // -128 C has no magnitude position of its own: it would land on 0 C.
    return (limitByte & 0xFF) == 0x80 ? 0 : ReadBackPosition(limitByte);
}

int LimitByte(int position)
{
    const int p = std::clamp(position, 0, ScaleEnd);
    if (p >= ZeroPosition)
        return p & 0x7F;
    if (p == 0)
        return 0x80;
    return negativeMagnitude(p) | 0x80;
}

QString LimitCaption(int limitByte)
{
    const int b = limitByte & 0xFF;
    const QString number = b <= 0x7F ? QString::number(b) : QStringLiteral("-") + QString::number(256 - b);
    return number + QStringLiteral(" C");
}

QString PositionCaption(int position)
{
    const int p = std::clamp(position, 0, ScaleEnd);
    QString number;
    if (p >= ZeroPosition)
        number = QString::number(p & 0x7F);
    else if (p == 0)
        number = QStringLiteral("-128");
    else
        number = QStringLiteral("-") + QString::number(p);
    return number + QStringLiteral(" C");
}

int SeparatedHigh(int high, int bandStart)
{
    if (bandStart + LimitSeparation > high)
        high = bandStart + LimitSeparation;
    return std::clamp(high, 0, ScaleEnd);
}

int SeparatedLow(int low, int bandEnd)
{
    if (bandEnd - LimitSeparation < low)
        low = bandEnd - LimitSeparation;
    return std::clamp(low, 0, ScaleEnd);
}

} // namespace ort
