#include "cli/values.h"
#include "base/numbers.h"
#include "link/busoptions.h"
#include "link/declare.h"
#include "link/text.h"
#include "registers/registermap.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Values)
};

// Held here when a number has more digits than anything accepted needs.
constexpr int64_t Saturated = int64_t(1) << 31;

std::optional<int64_t> digitsValue(const QString &digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    int64_t value = 0;
    for (QChar c : digits) {
        const int d = hexDigitValue(c.unicode());
        if (d < 0 || d >= base)
            return std::nullopt;
        value = std::min(Saturated, value * base + d);
    }
    return value;
}

std::optional<int64_t> hexValue(QString text)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    else if (text.endsWith(QLatin1Char('h'), Qt::CaseInsensitive))
        text.chop(1);
    return digitsValue(text, 16);
}

[[noreturn]] void refuse(const QString &text)
{
    throw UsageError(text.toStdString());
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Lower case, letters and digits only: "Local Temp. High Limit" and
// "local-temp-high-limit" both read "localtemphighlimit".
QString nameKey(QStringView name)
{
    QString key;
    for (QChar c : name)
        if (c.isLetterOrNumber() && c.unicode() < 128)
            key += c.toLower();
    return key;
}

} // namespace

std::optional<int64_t> parseWholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    const bool hex = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ||
                     t.endsWith(QLatin1Char('h'), Qt::CaseInsensitive);
    return hex ? hexValue(t) : digitsValue(t, 10);
}

int parseByteValue(const QString &text)
{
    const auto value = parseWholeNumber(text);
    if (!value)
        refuse(Words::tr("The value %1 is not a number: give it in decimal (26) or hexadecimal (0x1A or 1Ah)")
                   .arg(quoted(text)));
    if (*value > 255)
        refuse(Words::tr("The value %1 is outside 0 to 255: a register holds one byte").arg(text.trimmed()));
    return static_cast<int>(*value);
}

int parseCelsius(const QString &text, const QString &what)
{
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch())
        refuse(Words::tr("%1 %2 is not a whole number of degrees Celsius (such as 90 or -10)").arg(what, quoted(text)));
    const bool negative = t.startsWith(QLatin1Char('-'));
    const int64_t magnitude = *digitsValue(t.mid(t[0].isDigit() ? 0 : 1), 10);
    const int64_t celsius = negative ? -magnitude : magnitude;
    if (celsius < -128 || celsius > 127)
        refuse(Words::tr("%1 %2 C is outside what the chip holds, -128 to 127 C").arg(what, t));
    return static_cast<int>(celsius);
}

double parseSeconds(const QString &text, const QString &what, double most)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch())
        refuse(Words::tr("%1 %2 is not a number of seconds (such as 5 or 0.25)").arg(what, quoted(text)));
    const double seconds = t.toDouble();
    if (!(seconds <= most))
        refuse(Words::tr("%1 %2 s is longer than the most the tool takes, %3 s").arg(what, t).arg(most));
    return seconds;
}

int64_t parseCount(const QString &text, const QString &what)
{
    const auto value = digitsValue(text.trimmed(), 10);
    if (!value || *value < 1)
        refuse(Words::tr("%1 %2 is not a count (a whole number from 1)").arg(what, quoted(text)));
    if (*value >= Saturated)
        refuse(Words::tr("%1 %2 is more than the tool counts to").arg(what, text.trimmed()));
    return *value;
}

uint8_t parseBusAddress(const QString &text)
{
    const auto value = hexValue(text.trimmed());
    if (!value)
        refuse(Words::tr("The address %1 is not hexadecimal (such as 4C, 4Ch or 0x4C)").arg(quoted(text)));
    if (*value < 0x03 || *value > 0x77)
        refuse(Words::tr("The address %1 is not a 7-bit device address (03h to 77h)").arg(text.trimmed()));
    return static_cast<uint8_t>(*value);
}

uint16_t parsePortBase(const QString &text)
{
    const auto value = hexValue(text.trimmed());
    if (!value)
        refuse(Words::tr("The port base %1 is not hexadecimal (such as 378, 378h or 0x378)").arg(quoted(text)));
    if (*value < 1 || *value > 0xFFFF)
        refuse(Words::tr("The port base %1 is not an I/O address (1h to FFFFh)").arg(text.trimmed()));
    return static_cast<uint16_t>(*value);
}

int parseRateCode(const QString &text)
{
    const auto value = parseWholeNumber(text);
    if (!value || *value > 7)
        refuse(Words::tr("The rate code %1 is not one of 0 to 7 (or give --per-second)").arg(quoted(text)));
    return static_cast<int>(*value);
}

double conversionsPerSecond(int code)
{
    return 0.0625 * std::ldexp(1.0, std::clamp(code, 0, 7));
}

int parseConversionsPerSecond(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]+(\\.[0-9]*)?|\\.[0-9]+)(/([0-9]+))?$"));
    const QString t = text.trimmed();
    const QRegularExpressionMatch m = form.match(t);
    double rate = -1;
    if (m.hasMatch()) {
        rate = m.captured(1).toDouble();
        if (m.capturedLength(4)) {
            const double divisor = m.captured(4).toDouble();
            rate = divisor > 0 ? rate / divisor : -1;
        }
    }
    for (int code = 0; code <= 7; ++code)
        if (rate == conversionsPerSecond(code))
            return code;
    refuse(Words::tr("%1 conversions per second is not a rate of the chip: use 0.0625 (1/16), 0.125, 0.25, 0.5, 1, 2, "
                     "4 or 8")
               .arg(quoted(text)));
}

ListenAddress parseListenAddress(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\[([^\\]]*)\\]|([^:\\[\\]]*)):([0-9]+)$"));
    const QString t = text.trimmed();
    const QRegularExpressionMatch m = form.match(t);
    const auto refused = [&](const QString &why) {
        refuse(Words::tr("--listen %1 %2: give ADDRESS:PORT, such as 127.0.0.1:9310 or [::1]:9310").arg(quoted(text), why));
    };
    if (!m.hasMatch())
        refused(Words::tr("is not an address and a port"));
    const bool bracketed = m.capturedLength(2) > 0 || t.startsWith(QLatin1Char('['));
    QString host = bracketed ? m.captured(2) : m.captured(3);
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        host = QStringLiteral("127.0.0.1");
    QHostAddress address;
    // IPv6 only in brackets, so that its colons are never taken for the port's.
    if (!address.setAddress(host) || address.scopeId() != QString() ||
        bracketed != (address.protocol() == QAbstractSocket::IPv6Protocol))
        refused(Words::tr("names no IPv4 address, IPv6 address in brackets or localhost"));
    const auto port = digitsValue(m.captured(4), 10);
    if (!port || *port > 65535)
        refused(Words::tr("has no port from 0 to 65535"));
    return {address.toString(), static_cast<uint16_t>(*port)};
}

uint8_t parseRegister(const QString &text)
{
    std::optional<int64_t> address = parseWholeNumber(text);
    if (!address) {
        const QString key = nameKey(text);
        for (const RegisterRow &row : RegisterTable)
            if (!key.isEmpty() && (key == nameKey(QString::fromLatin1(row.caption.data(), row.caption.size())) ||
                                   key == nameKey(QString::fromLatin1(row.typeName.data(), row.typeName.size()))))
                address = row.readAddress;
        if (!address)
            refuse(Words::tr("No register is called %1: give an address (0x02, 2) or a name such as status, "
                             "configuration or local-temp-high-limit (ort310 read all lists them)")
                       .arg(quoted(text)));
    }
    if (*address > 255 || RegisterTypeName(static_cast<int>(*address)).empty())
        refuse(Words::tr("The register map holds no register at %1").arg(text.trimmed()));
    Declare d;
    d.EditorRegister = static_cast<int16_t>(*address);
    ToReadAddress(d);
    return static_cast<uint8_t>(d.EditorRegister);
}

} // namespace ort::cli
