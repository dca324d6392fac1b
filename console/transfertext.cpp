#include "console/transfertext.h"
#include "link/text.h"

#include <array>

namespace ort {

namespace {

QString hexOrEmpty(int16_t value)
{
    return value == Transfer::None ? QString() : byteText(value);
}

} // namespace

QString byteText(int value)
{
    // Made once: a page of rows asks for a few hundred of them per repaint.
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> t;
        for (int v = 0; v < 256; ++v)
            t[size_t(v)] = hexText(uint32_t(v), 2) + QLatin1Char('h');
        return t;
    }();
    return texts[size_t(value & 0xFF)];
}

QStringList transferHeaders()
{
    return {QStringLiteral("Time (s)"), QStringLiteral("Route"),  QStringLiteral("Address"),
            QStringLiteral("R/W"),      QStringLiteral("Register"), QStringLiteral("Data"),
            QStringLiteral("Result"),   QStringLiteral("Took (\u00B5s)")};
}

QString transferCell(const TransferRing &ring, const TransferRecord &r, TransferColumn column)
{
    switch (column) {
    case TransferColumn::Time:
        return QString::number(r.time, 'f', 6);
    case TransferColumn::Route:
        if (r.route == Transfer::Route::PrinterPort)
            return QStringLiteral("printer port ") + hexWithSuffix(r.where);
        if (r.adapter)
            return QStringLiteral("SMBus ") + QString::fromUtf8(ring.text(r.adapter));
        return QStringLiteral("SMBus at ") + hexWithSuffix(r.where);
    case TransferColumn::Address:
        return hexOrEmpty(r.address);
    case TransferColumn::Direction:
        return r.read ? QStringLiteral("read") : QStringLiteral("write");
    case TransferColumn::Register:
        return hexOrEmpty(r.reg);
    case TransferColumn::Data:
        return hexOrEmpty(r.data);
    case TransferColumn::Result:
        switch (r.outcome) {
        case Transfer::Outcome::Acknowledged:
            return QStringLiteral("acknowledged");
        case Transfer::Outcome::NotAcknowledged:
            return QStringLiteral("not acknowledged");
        case Transfer::Outcome::Failed:
            return r.reason ? QString::fromUtf8(ring.text(r.reason)) : QStringLiteral("failed");
        }
        break;
    case TransferColumn::Took:
        return QString::number(r.durationNs / 1000.0, 'f', 1);
    case TransferColumn::Count:
        break;
    }
    return {};
}

QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        bytes = '"' + bytes.replace("\"", "\"\"") + '"';
    return bytes;
}

QByteArray transferCsvHeader()
{
    return QByteArrayLiteral("time_s,route,address,direction,register,data,result,took_us\r\n");
}

QByteArray transferCsvLine(const TransferRing &ring, const TransferRecord &record)
{
    QByteArray line;
    for (int c = 0; c < int(TransferColumn::Count); ++c) {
        if (c)
            line += ',';
        line += csvField(transferCell(ring, record, TransferColumn(c)));
    }
    return line + "\r\n";
}

} // namespace ort
