#include "cli/output.h"
#include "cli/logformat.h"
#include "cli/session.h"
#include "link/chip.h"
#include "link/text.h"
#include "monitor/temperature.h"
#include "registers/registermap.h"

#include <QCoreApplication>
#include <QLocale>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Tool)
};
} // namespace

using namespace chip;

QString celsiusText(int celsius)
{
    return Words::tr("%1 C").arg(celsius);
}

QString rateText(double perSecond)
{
    return Words::tr("%1 per second").arg(QLocale().toString(perSecond));
}

QString typeName(uint8_t address)
{
    const std::string_view name = RegisterTypeName(address);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString binaryText(uint8_t value)
{
    return QStringLiteral("%1").arg(value, 8, 2, QLatin1Char('0'));
}

Temperatures readTemperatures(Session &s)
{
    const int remote = decodeTemperature(s.read(RemoteTemperature));
    const int local = decodeTemperature(s.read(LocalTemperature));
    return {remote, local};
}

QString temperaturesText(const Temperatures &t)
{
    return Words::tr("local %1  remote %2").arg(celsiusText(t.local), celsiusText(t.remote));
}

QJsonObject temperaturesJson(const Temperatures &t)
{
    return {{QStringLiteral("local"), t.local}, {QStringLiteral("remote"), t.remote}};
}

void printTemperatures(const Output &out, const Temperatures &t)
{
    if (out.json())
        out.value(temperaturesJson(t));
    else
        out.line(temperaturesText(t));
}

QJsonObject chipJson(const Session &s)
{
    return {{QStringLiteral("route"), routeName(s.chip().route)},
            {QStringLiteral("address"), s.address7()},
            {QStringLiteral("port"), s.printerRoute() ? QJsonValue(s.state().PrinterPortBase) : QJsonValue()},
            {QStringLiteral("description"), s.description()}};
}

QJsonObject registerJson(uint8_t address, uint8_t value)
{
    return {{QStringLiteral("address"), address},
            {QStringLiteral("name"), typeName(address)},
            {QStringLiteral("value"), value}};
}

QString registerLine(uint8_t address, uint8_t value)
{
    QString text = QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(hexWithSuffix(address).leftJustified(4), typeName(address).leftJustified(24),
                            hexWithSuffix(value).leftJustified(4))
                       .arg(value, 3)
                       .arg(binaryText(value));
    const QStringList names = namedBits(address, value);
    if (!names.isEmpty())
        text += QStringLiteral("  ") + names.join(QStringLiteral(", "));
    return text;
}

} // namespace ort::cli
