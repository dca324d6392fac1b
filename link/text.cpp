#include "link/text.h"
#include "base/numbers.h"

#include <QCoreApplication>
#include <cmath>

namespace ort {

QString productTitle()
{
    return QCoreApplication::translate("ort::Text", "%1 Evaluation Software").arg(ChipName);
}

QString hexText(uint32_t value, int width)
{
    return QString::fromLatin1(hexDigits(value, width));
}

QString hexWithSuffix(uint32_t value)
{
    return hexText(value) + QLatin1Char('h');
}

QString decimalText(long long value)
{
    return QString::number(value);
}

QString timeOfDayText(double secondsSinceMidnight)
{
    const long long whole = static_cast<long long>(std::floor(secondsSinceMidnight));
    const long long s = ((whole % 86400) + 86400) % 86400;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace ort
