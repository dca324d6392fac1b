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
    auto trace = std::make_unique<VcdTrace>(index == 0 ? path : path + "." + hexByte(base) + "h");
    return trace->isOpen() ? std::move(trace) : nullptr;
}

} // namespace

SimBackend::SimBackend(const Scenario &scenario, std::shared_ptr<const Clock> clock, const std::string &wireTrace)
    : m_scenario(scenario), m_clock(std::move(clock)), m_smbus(scenario.smbus, *m_clock, scenario.seed * 1000 + 999)
{
    uint32_t seed = scenario.seed * 1000;
    for (const PortSetup &setup : scenario.ports) {
        m_ports.push_back(
            std::make_unique<VirtualParallelPort>(setup, *m_clock, seed, traceFor(wireTrace, setup.base, m_ports.size())));
        seed += 10;
    }
}

} // namespace ort::sim
