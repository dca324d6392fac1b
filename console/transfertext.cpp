#include "console/transfertext.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QLocale>
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
    const char *const headers[] = {
        QT_TRANSLATE_NOOP("ort::TransferText", "Time (s)"), QT_TRANSLATE_NOOP("ort::TransferText", "Route"),
        QT_TRANSLATE_NOOP("ort::TransferText", "Address"),  QT_TRANSLATE_NOOP("ort::TransferText", "R/W"),
        QT_TRANSLATE_NOOP("ort::TransferText", "Register"), QT_TRANSLATE_NOOP("ort::TransferText", "Data"),
        QT_TRANSLATE_NOOP("ort::TransferText", "Result"),   QT_TRANSLATE_NOOP("ort::TransferText", "Took (\u00B5s)")};
    QStringList texts;
    for (const char *header : headers)
        texts << QCoreApplication::translate("ort::TransferText", header);
    return texts;
}

QString transferCell(const TransferRing &ring, const TransferRecord &r, TransferColumn column, Readers readers)
{
    // The file keeps the words and numbers a script reads; the table speaks
    // the user's language.
    const bool people = readers == Readers::People;
    const auto word = [people](const char *text) {
        return people ? QCoreApplication::translate("ort::TransferText", text) : QString::fromLatin1(text);
    };
    const auto number = [people](double value, int decimals) {
        if (!people)
            return QString::number(value, 'f', decimals);
        QLocale shown;
        shown.setNumberOptions(shown.numberOptions() | QLocale::OmitGroupSeparator);
        return shown.toString(value, 'f', decimals);
    };
    switch (column) {
    case TransferColumn::Time:
        return number(r.time, 6);
    case TransferColumn::Route:
        if (r.route == Transfer::Route::PrinterPort)
            return word(QT_TRANSLATE_NOOP("ort::TransferText", "printer port %1h")).arg(hexText(r.where));
        if (r.adapter)
            return QStringLiteral("SMBus ") + QString::fromUtf8(ring.text(r.adapter));
        return word(QT_TRANSLATE_NOOP("ort::TransferText", "SMBus at %1h")).arg(hexText(r.where));
    case TransferColumn::Address:
        return hexOrEmpty(r.address);
    case TransferColumn::Direction:
        return r.read ? word(QT_TRANSLATE_NOOP("ort::TransferText", "read"))
                      : word(QT_TRANSLATE_NOOP("ort::TransferText", "write"));
    case TransferColumn::Register:
        return hexOrEmpty(r.reg);
    case TransferColumn::Data:
        return hexOrEmpty(r.data);
    case TransferColumn::Result:
        switch (r.outcome) {
        case Transfer::Outcome::Acknowledged:
            return word(QT_TRANSLATE_NOOP("ort::TransferText", "acknowledged"));
        case Transfer::Outcome::NotAcknowledged:
            return word(QT_TRANSLATE_NOOP("ort::TransferText", "not acknowledged"));
        case Transfer::Outcome::Failed:
            return r.reason ? QString::fromUtf8(ring.text(r.reason))
                            : word(QT_TRANSLATE_NOOP("ort::TransferText", "failed"));
        }
        break;
    case TransferColumn::Took:
        return number(r.durationNs / 1000.0, 1);
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
        line += csvField(transferCell(ring, record, TransferColumn(c), Readers::Scripts));
    }
    return line + "\r\n";
}

} // namespace ort
