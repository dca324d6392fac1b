#include "component/sim/simbackend.h"
#include "component/buserror.h"

namespace ort::sim {

SimSmbusHost::SimSmbusHost(const SmbusSetup &setup, const Clock &clock, uint32_t seed)
    : m_setup(setup), m_bus(setup.chips, clock, seed)
{
}

void SimSmbusHost::requirePresent() const
{
    if (!m_setup.present)
        throw BusError("No SMBus host controller was found");
}

uint8_t SimSmbusHost::readByteData(uint8_t address7, uint8_t reg)
{
    requirePresent();
    return m_bus.readByteData(address7, reg);
}

void SimSmbusHost::writeByteData(uint8_t address7, uint8_t reg, uint8_t value)
{
    requirePresent();
    m_bus.writeByteData(address7, reg, value);
}

uint32_t SimSmbusHost::baseAddress()
{
    return m_setup.present ? m_setup.base : 0;
}

namespace {

// Ports after the first get their base appended, so that traces never
// overwrite each other.
std::unique_ptr<VcdTrace> traceFor(const std::string &path, uint16_t base, size_t index)
{
    if (path.empty())
        return nullptr;
    auto trace = std::make_unique<VcdTrace>(index == 0 ? path : path + "." + hexDigits(base) + "h");
    return trace->isOpen() ? std::move(trace) : nullptr;
}

} // namespace

SimBackend::SimBackend(const Scenario &scenario, std::shared_ptr<const Clock> clock, const std::string &wireTrace)
    : m_scenario(scenario), m_clock(std::move(clock))
{
    uint32_t smbusSeed = scenario.seed * 1000 + 999;
    m_smbus.push_back(std::make_unique<SimSmbusHost>(scenario.smbus, *m_clock, smbusSeed));
    for (const SmbusSetup &more : scenario.moreSmbus)
        m_smbus.push_back(std::make_unique<SimSmbusHost>(more, *m_clock, --smbusSeed));
    uint32_t seed = scenario.seed * 1000;
    for (const PortSetup &setup : scenario.ports) {
        m_ports.push_back(
            std::make_unique<VirtualParallelPort>(setup, *m_clock, seed, traceFor(wireTrace, setup.base, m_ports.size())));
        seed += 10;
    }
}

bool SimBackend::selectSmbusBase(uint32_t base)
{
    // With one host, any base is taken as that host's; 0 is no base.
    if (m_smbus.size() == 1)
        return true;
    for (size_t i = 0; i < m_smbus.size() && base != 0; ++i) {
        if (m_smbus[i]->setup().present && m_smbus[i]->baseAddress() == base) {
            m_smbusInUse = i;
            return true;
        }
    }
    return false;
}

std::vector<SmbusAdapterInfo> SimBackend::smbusAdapters()
{
    std::vector<SmbusAdapterInfo> adapters;
    if (m_smbus.size() < 2)
        return adapters;
    for (size_t i = 0; i < m_smbus.size(); ++i) {
        const SimSmbusHost &host = *m_smbus[i];
        if (host.setup().present)
            adapters.push_back({host.setup().device, host.setup().name, host.setup().base, i == m_smbusInUse});
    }
    return adapters;
}

bool SimBackend::selectSmbusAdapter(const std::string &device)
{
    for (size_t i = 0; i < m_smbus.size(); ++i) {
        if (m_smbus.size() > 1 && m_smbus[i]->setup().present && m_smbus[i]->setup().device == device) {
            m_smbusInUse = i;
            return true;
        }
    }
    return false;
}

} // namespace ort::sim
