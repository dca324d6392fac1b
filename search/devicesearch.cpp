#include "search/devicesearch.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "link/declare.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace ort {

namespace {

const QString PrinterTagWord = QStringLiteral("Printer");
const QString SmbusTagWord = QStringLiteral("SMBus");
const char *const CheckConnections = QT_TRANSLATE_NOOP("ort::DeviceSearch", "Please check all connections and try again");
// The find counts are 8-bit; finds beyond that are not kept rather than
// wrapping round over the first ones.
constexpr size_t MaxFinds = 255;

// A component call of Finish or of the listing that the component refuses
// is skipped and the next step runs. Only the call goes in here: a fault of
// the program's own (a table lookup, say) must not be skipped over.
template <typename F>
void attempt(F &&componentCall)
{
    try {
        componentCall();
    } catch (const BusError &) {
    }
}

template <typename Read>
bool answers(Read &&read)
{
    try {
        return read() == chip::ManufacturerId;
    } catch (const BusError &) {
        return false;
    }
}

} // namespace

CandidateList BuildCandidateAddresses()
{
    CandidateList candidates{};   // the last slot stays empty
    for (size_t i = 0; i < chip::CandidateAddresses.size(); ++i)
        candidates[i] = static_cast<uint8_t>(chip::CandidateAddresses[i] << 1);
    return candidates;
}

QString printerEntryText(uint8_t addressByte, uint16_t portBase, int printerNumber)
{
    const QString number = printerNumber < 10 ? QStringLiteral(" %1").arg(printerNumber) : QString::number(printerNumber);
    // The tag at the end, past the padding, is what Finish reads: it stays
    // as it is in every language.
    return QCoreApplication::translate("ort::DeviceSearch", "Found an %1 at:%2h, on printer port:%3h")
               .arg(ChipName, hexText(address7Of(addressByte)), hexText(portBase)) +
           QString(50, QChar(' ')) + PrinterTagWord + number;
}

QString smbusEntryText(uint8_t address7)
{
    return QCoreApplication::translate("ort::DeviceSearch", "An %1 was found at:%2h, on the SMBus")
               .arg(ChipName, hexText(address7)) +
           QString(98, QChar(' ')) + SmbusTagWord + hexText(address7, 2);
}

std::optional<int> printerTagNumber(const QString &entry)
{
    // " 1".." 9" (the last of nine characters "Printer n"), or two or three
    // digits straight after the word for entries beyond nine.
    static const QRegularExpression tag(QStringLiteral("Printer(?: ([1-9])|([1-9][0-9]{1,2}))$"));
    const QRegularExpressionMatch m = tag.match(entry);
    if (!m.hasMatch())
        return std::nullopt;
    return (m.capturedLength(1) ? m.captured(1) : m.captured(2)).toInt();
}

std::optional<uint8_t> smbusTagAddress(const QString &entry)
{
    if (entry.size() < 7 || entry.right(7).left(5) != SmbusTagWord)
        return std::nullopt;
    bool ok = false;
    const uint value = entry.right(2).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

QString noChipsFoundText()
{
    return QCoreApplication::translate("ort::DeviceSearch", "Sorry, no %1s were found.").arg(ChipName) + QLatin1Char(' ') +
           QCoreApplication::translate("ort::DeviceSearch", CheckConnections);
}

float advancedProgress(float value, float step, float maximum)
{
    return value + step <= maximum ? value + step : maximum;
}

void DeviceSearch::reset()
{
    m_printer.clear();
    m_smbus.clear();
}

void DeviceSearch::SearchPrinterPorts()
{
    int count = 0;
    try {
        count = m_bus.PrinterPort().PortCount();
    } catch (const BusError &) {
        count = 0;   // no ports to search: a pass without probes
    }
    for (int p = 0; p < count; ++p) {
        advance(PrinterPortStep);
        try {
            m_bus.PrinterPort().SelectPort(static_cast<uint8_t>(p));
        } catch (const BusError &) {
            continue;   // a port that can't be selected has nothing to find
        }
        for (bool variant : {false, true}) {
            try {
                m_bus.PrinterPort().Link().SetLinkVariant(variant);
            } catch (const BusError &) {
                continue;
            }
            probePrinterPass(static_cast<uint8_t>(p));
        }
    }
}

void DeviceSearch::probePrinterPass(uint8_t port)
{
    for (uint8_t address : m_candidates) {
        if (address == 0)
            continue;
        if (!answers([&] { return m_bus.PrinterPort().Link().ReadRegister(address, chip::ManufacturerIdRegister); }))
            continue;
        bool variant = false;
        try {
            variant = m_bus.PrinterPort().Link().LinkVariant();
        } catch (const BusError &) {
            continue;
        }
        if (m_printer.size() < MaxFinds)
            m_printer.push_back({address, port, variant});
    }
}

void DeviceSearch::SearchOnBoardSmbus()
{
    for (uint8_t address : m_candidates) {
        advance(SmbusSlotStep);
        if (address == 0)
            continue;
        const uint8_t address7 = address / 2;
        if (answers([&] { return m_bus.Smbus().ReadRegister(address7, chip::ManufacturerIdRegister); }) &&
            m_smbus.size() < MaxFinds)
            m_smbus.push_back(address7);
    }
}

std::vector<ResultEntry> DeviceSearch::listEntries()
{
    std::vector<ResultEntry> entries;
    int printerNumber = 0;
    for (const PrinterFind &find : m_printer) {
        ++printerNumber;
        uint16_t base = 0;
        attempt([&] { m_bus.PrinterPort().SelectPort(find.port); });
        attempt([&] { base = m_bus.PrinterPort().PortAddress(); });
        const ChipAddress chip = ChipAddress::printerPort(address7Of(find.addressByte), base);
        entries.push_back({printerEntryText(find.addressByte, base, printerNumber), chip, find});
    }
    for (uint8_t address7 : m_smbus)
        entries.push_back({smbusEntryText(address7), ChipAddress::smbus(address7), {}});
    return entries;
}

void connectChip(BusAccessServer &bus, Declare &state, const ResultEntry &entry)
{
    const ChipAddress &chip = entry.chip;
    const auto address = static_cast<uint8_t>(chip.deviceAddress());
    if (chip.onPrinterPort()) {
        attempt([&] { bus.PrinterPort().SelectPort(entry.printer.port); });
        attempt([&] { bus.PrinterPort().Link().SetLinkVariant(entry.printer.linkVariant); });
        attempt([&] { bus.PrinterPort().Link().SetDeviceAddress(address); });
    } else {
        attempt([&] { bus.Smbus().SetDeviceAddress(address); });
    }
    attempt([&] { bus.SelectBus(chip::selectBusOf(chip.route)); });
    state.BusMedium = chip::mediumOf(chip.route);
    if (chip.onPrinterPort())
        attempt([&] { state.PrinterPortBase = bus.PrinterPort().Link().PortBase(); });
    state.DeviceAddress = chip.deviceAddress();
}

} // namespace ort
