#include "log/logrecord.h"
#include "base/numbers.h"
#include "link/text.h"

#include <cmath>

namespace ort {

QByteArray logHeader()
{
    return QByteArrayLiteral("Time\tRTemp\tLTemp\r\n");
}

QByteArray logRestartMarker()
{
    return QByteArrayLiteral("\r\t\t\tRestart\r\n");
}

QByteArray logNumber(int value)
{
    QByteArray out(value < 0 ? "-" : " ");
    out += QByteArray::number(value < 0 ? -static_cast<long long>(value) : value);
    out += ' ';
    return out;
}

QByteArray logRecordLine(double secondsSinceMidnight, int remote, int local)
{
    QByteArray out("\r");
    out += timeOfDayText(secondsSinceMidnight).toLatin1();
    out += '\t';
    out += logNumber(remote);
    out += '\t';
    out += logNumber(local);
    out += "\r\n";
    return out;
}

double numericValue(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const qsizetype digits = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    const bool whole = i > digits;
    if (i < n && text[i] == QLatin1Char('.')) {
        const qsizetype point = i++;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        if (!whole && i == point + 1)
            return 0;
    } else if (!whole) {
        return 0;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0;
}

int roundedSecond(double secondsSinceMidnight)
{
    return roundHalfEven(secondsSinceMidnight);
}

double secondsSinceRecord(double secondsSinceMidnight, int lastLogTime)
{
    constexpr double Day = 86400;
    const double elapsed = std::fmod(secondsSinceMidnight - lastLogTime, Day);
    return elapsed < -0.5 ? elapsed + Day : elapsed;
}

} // namespace ort
