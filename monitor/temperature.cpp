#include "monitor/temperature.h"

namespace ort {

int16_t decodeTemperature(int byte)
{
    const int b = byte & 0xFF;
    return static_cast<int16_t>(b < 128 ? b : b - 256);
}

int percentBarLevel(int celsius)
{
    return static_cast<int>((celsius + 128) / 2.55);
}

QString barCaption(const QString &prefix, int celsius, chip::Route route)
{
    QString number;
    if (celsius < 0)
        number = QStringLiteral("-") + QString::number(-celsius);
    else if (celsius > 0 && route == chip::Route::Smbus)
        number = QStringLiteral("+") + QString::number(celsius);
    else
        number = QString::number(celsius);
    return prefix + number + QStringLiteral("C");
}

QString oneShotCaption(int celsius, chip::Route route)
{
    QString number;
    if (celsius < 0)
        number = QStringLiteral("-") + QString::number(-celsius);
    else if (celsius == 0 && route == chip::Route::Smbus)
        number = QStringLiteral("0");
    else
        number = QStringLiteral("+") + QString::number(celsius);
    return number + QStringLiteral("C");
}

} // namespace ort
