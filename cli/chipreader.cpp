#include "cli/chipreader.h"
#include "cli/values.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "link/chip.h"
#include "link/text.h"
#include "monitor/temperature.h"

#include <QCoreApplication>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::ChipReader)
};
} // namespace

using namespace chip;

ChipReader::ChipReader(BusAccessServer &bus, const Target &target, Clocks clocks, std::function<void(const QString &)> say)
    : m_bus(bus), m_target(target), m_clocks(std::move(clocks)), m_say(std::move(say))
{
}

void ChipReader::round()
{
    if (m_chips.empty())
        search();
    for (size_t i = 0; i < m_chips.size(); ++i)
        read(m_chips[i], m_readings[i]);
}

void ChipReader::search()
{
    std::vector<ResultEntry> found;
    std::string none;
    try {
        found = searchChips(m_bus, m_target);
        if (found.empty())
            none = noChipText(m_bus, m_target);
    } catch (const BusError &e) {
        none = e.what();
    }
    if (found.empty()) {
        // What the user named is all there is to label the chip with.
        ChipReading stand;
        stand.found = false;
        if (m_target.route)
            stand.place.route = routeName(*m_target.route);
        if (m_target.portBase)
            stand.place.port = hexText(*m_target.portBase);
        if (m_target.address7)
            stand.place.address = hexText(*m_target.address7);
        m_readings = {stand};
        if (!m_toldNone)
            m_say(QString::fromStdString(none) + QLatin1Char('.') + QLatin1Char('\n') +
                  Words::tr("Serving ort310_chip_up 0 and searching again at every reading."));
        m_toldNone = true;
        return;
    }

    m_readings.clear();
    QStringList names;
    for (const ResultEntry &f : found) {
        Chip chip{f, 0, {}, {}};
        ChipReading reading;
        const bool printer = f.chip.onPrinterPort();
        const uint8_t address7 = f.chip.address7;
        if (printer) {
            try {
                m_bus.PrinterPort().SelectPort(f.printer.port);
                chip.portBase = m_bus.PrinterPort().PortAddress();
            } catch (const BusError &) {
                continue;   // a port that went away since the search
            }
            reading.place = {routeName(Route::PrinterPort), hexText(chip.portBase), {}, hexText(address7)};
        } else {
            const std::string adapter = m_bus.smbusAdapter();
            reading.place = {routeName(Route::Smbus), {},
                             adapter.empty() ? hexText(m_bus.smbusBase()) : QString::fromStdString(adapter), hexText(address7)};
        }
        // A board whose buffers follow the master answers under both wirings
        // and is listed twice; it is one chip, and its series must be unique.
        bool listed = false;
        for (const ChipReading &r : m_readings)
            listed = listed || (r.place.route == reading.place.route && r.place.port == reading.place.port &&
                                r.place.adapter == reading.place.adapter && r.place.address == reading.place.address);
        if (listed)
            continue;
        ChipAddress where = f.chip;
        where.portBase = chip.portBase;
        chip.description = chipDescription(m_bus, where);
        names << chip.description;
        m_chips.push_back(std::move(chip));
        m_readings.push_back(reading);
    }
    // English has no catalogue to give it the singular.
    m_say((names.size() == 1 ? Words::tr("reading 1 chip: %1") : Words::tr("reading %n chips: %1", nullptr, int(names.size())))
              .arg(names.join(QStringLiteral(", "))));
}

void ChipReader::read(Chip &chip, ChipReading &r)
{
    const bool printer = chip.found.chip.onPrinterPort();
    const auto device = static_cast<uint8_t>(chip.found.chip.deviceAddress());
    const auto reg = [&](uint8_t address) {
        return printer ? m_bus.PrinterPort().Link().ReadRegister(device, address)
                       : m_bus.Smbus().ReadRegister(device, address);
    };
    const bool wasUp = r.up;
    ++r.reads;
    try {
        if (printer) {
            // Other chips may sit on other ports, behind the other wiring.
            m_bus.PrinterPort().Link().SetPortBase(chip.portBase);
            m_bus.PrinterPort().Link().SetLinkVariant(chip.found.printer.linkVariant);
        }
        const uint8_t rate = reg(ConversionRateRead);
        const uint8_t configuration = reg(ConfigurationRead);
        const uint8_t status = reg(Status);
        // The status read has cleared the flags: the hold hears of them even
        // when a later read of this round fails.
        r.alert = chip.hold.read(status & StatusLimitMask, m_clocks.monotonic(), conversionPeriod(rate));
        r.status = status;
        r.remote = decodeTemperature(reg(RemoteTemperature));
        r.local = decodeTemperature(reg(LocalTemperature));
        for (int i = 0; i < LimitCount; ++i)
            r.limits[static_cast<size_t>(i)] = decodeTemperature(reg(static_cast<uint8_t>(LocalHighLimitRead + i)));
        r.conversionsPerSecond = (configuration & ConfigStandby) ? 0 : conversionsPerSecond(rate);
        r.up = true;
        r.lastReadUnixSeconds = m_clocks.unixTime();
        if (!wasUp && r.reads > 1)
            m_say(Words::tr("%1 answers again").arg(chip.description));
    } catch (const BusError &e) {
        const bool nack = dynamic_cast<const NoAcknowledge *>(&e) != nullptr;
        ++r.failures[static_cast<size_t>(nack ? ReadFailure::NoAcknowledge : ReadFailure::Bus)];
        r.up = false;
        if (wasUp || r.reads == 1)
            m_say(Words::tr("%1 does not answer (%2); ort310_chip_up is 0 until it does")
                      .arg(chip.description, QString::fromUtf8(e.what())));
    }
}

} // namespace ort::cli
