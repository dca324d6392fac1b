#pragma once
#include "component/backend.h"
#include "component/clock.h"
#include "component/sim/scenario.h"
#include "component/sim/simbus.h"
#include "component/sim/virtualport.h"

#include <memory>
#include <string>
#include <vector>

namespace ort::sim {

// The on-board SMBus host of the simulated machine, at transaction level.
class SimSmbusHost final : public SmbusTransport {
public:
    SimSmbusHost(const SmbusSetup &setup, const Clock &clock, uint32_t seed);
    uint8_t readByteData(uint8_t address7, uint8_t reg) override;
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) override;
    uint32_t baseAddress() override;
    SimBus &bus() { return m_bus; }
    const SmbusSetup &setup() const { return m_setup; }

private:
    void requirePresent() const;
    SmbusSetup m_setup;
    SimBus m_bus;
};

// The simulated evaluation board: the scenario's printer ports, each with its
// board on the connector, and the on-board SMBus, all on the given clock.
class SimBackend final : public Backend {
public:
    // `wireTrace` names a VCD file for the lines of the first port; ports
    // after it get their base appended ("trace.vcd.278h").
    SimBackend(const Scenario &scenario, std::shared_ptr<const Clock> clock, const std::string &wireTrace = {});
    std::string name() const override { return "sim"; }
    std::string description() const override
    {
        return "This program is running on the simulated evaluation board: no hardware is used." +
               (m_why.empty() ? std::string() : " " + m_why + ".");
    }
    // Why the board was chosen in place of hardware, for the description.
    void explainChoice(std::string why) { m_why = std::move(why); }
    int portCount() override { return static_cast<int>(m_ports.size()); }
    VirtualParallelPort &port(int index) override { return *m_ports.at(static_cast<size_t>(index)); }
    SimSmbusHost &smbus() override { return *m_smbus.at(m_smbusInUse); }
    std::string buildNumber() override { return m_scenario.build; }
    std::string smbusProblem() override { return m_scenario.smbusProblem; }
    std::vector<std::string> portProblems() override { return m_scenario.portProblems; }
    bool simulated() const override { return true; }
    bool selectSmbusBase(uint32_t base) override;
    std::vector<SmbusAdapterInfo> smbusAdapters() override;
    bool selectSmbusAdapter(const std::string &device) override;
    std::string smbusAdapter() const override { return m_smbus.at(m_smbusInUse)->setup().device; }

private:
    Scenario m_scenario;
    std::shared_ptr<const Clock> m_clock;   // the chips keep a reference to it
    std::vector<std::unique_ptr<VirtualParallelPort>> m_ports;
    std::vector<std::unique_ptr<SimSmbusHost>> m_smbus;   // the scenario's smbus first
    size_t m_smbusInUse = 0;
    std::string m_why;
};

} // namespace ort::sim
