#include "component/sim/simbackend.h"
#include "component/buserror.h"

namespace ort::sim {

namespace {
std::string portText(uint16_t base) { return hexByte(base) + "h"; }
} // namespace

SimPrinterPort::SimPrinterPort(const PortSetup &setup, const Clock &clock, uint32_t seed, int index)
    : m_setup(setup), m_bus(setup.chips, clock, seed), m_port(setup, m_bus, index), m_master(m_port)
{
    m_bus.setUnplugAfter(setup.unplugAfterTransfers);
}

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

SimBackend::SimBackend(const Scenario &scenario, std::shared_ptr<const Clock> clock)
    : m_scenario(scenario),
      m_clock(clock ? std::move(clock) : std::make_shared<SystemClock>()),
      m_smbus(scenario.smbus, *m_clock, scenario.seed * 1000 + 999)
{
    uint32_t seed = scenario.seed * 1000;
    for (const PortSetup &setup : scenario.ports) {
        m_ports.push_back(std::make_unique<SimPrinterPort>(setup, *m_clock, seed, static_cast<int>(m_ports.size())));
        seed += 10;
    }
}

uint16_t SimBackend::portBase(int index)
{
    if (index < 0 || index >= portCount())
        throw BusError("There is no printer port " + std::to_string(index + 1));
    return m_ports[index]->setup().base;
}

PrinterTransport &SimBackend::portAt(uint16_t base)
{
    for (auto &port : m_ports)
        if (port->setup().base == base)
            return *port;
    throw BusError("No printer port at I/O address " + portText(base));
}

} // namespace ort::sim
