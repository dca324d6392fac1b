#pragma once
#include "component/backend.h"
#include "component/clock.h"
#include "component/sim/scenario.h"
#include "component/sim/simbus.h"

#include <memory>
#include <vector>

namespace ort::sim {

// The printer route of one simulated port at transaction level: the board's
// chips are reached through whole transactions, and a board built for the
// other link variant never answers.
class SimPrinterPort final : public PrinterTransport {
public:
    SimPrinterPort(const PortSpec &spec, const Clock &clock, uint32_t seed);
    void setVariant(bool nonInverting) override { m_variant = nonInverting; }
    void setBusParameter(int parameter) override { m_busParameter = parameter; }
    uint8_t readByteData(uint8_t addressByte, uint8_t reg) override;
    void writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value) override;
    void start() override;
    void sendByte(uint8_t value) override;
    bool receiveAck() override;
    uint8_t receiveByte() override;
    void sendNoAck() override {}
    void stop() override;
    void writeData(uint8_t value) override { m_data = value; }
    void writeControl(uint8_t value) override { m_control = value; }

    const PortSpec &spec() const { return m_spec; }
    SimBus &bus() { return m_bus; }
    uint8_t dataRegister() const { return m_data; }
    uint8_t controlRegister() const { return m_control; }
    int busParameter() const { return m_busParameter; }

private:
    bool reachable() const { return m_variant == m_spec.boardVariant && !m_spec.stuckSda; }
    PortSpec m_spec;
    SimBus m_bus;
    bool m_variant = true;
    int m_busParameter = 240;
    uint8_t m_data = 0xFF;
    uint8_t m_control = 0xFF;
    bool m_lastAck = false;
};

class SimSmbusHost final : public SmbusTransport {
public:
    SimSmbusHost(const SmbusSpec &spec, const Clock &clock, uint32_t seed);
    uint8_t readByteData(uint8_t address7, uint8_t reg) override;
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) override;
    uint32_t baseAddress() override;
    SimBus &bus() { return m_bus; }

private:
    void requirePresent() const;
    SmbusSpec m_spec;
    SimBus m_bus;
};

class SimBackend final : public Backend {
public:
    explicit SimBackend(const Scenario &scenario, std::shared_ptr<const Clock> clock = nullptr);
    std::string name() const override { return "sim"; }
    std::string description() const override
    {
        return "This program is running on the simulated evaluation board: no hardware is used.";
    }
    int portCount() override { return static_cast<int>(m_ports.size()); }
    uint16_t portBase(int index) override;
    PrinterTransport &portAt(uint16_t base) override;
    SmbusTransport &smbus() override { return m_smbus; }
    std::string buildNumber() override { return m_scenario.build; }

    SimPrinterPort &port(int index) { return *m_ports.at(index); }
    SimSmbusHost &smbusHost() { return m_smbus; }
    const Clock &clock() const { return *m_clock; }

private:
    Scenario m_scenario;
    std::shared_ptr<const Clock> m_clock;
    std::vector<std::unique_ptr<SimPrinterPort>> m_ports;
    SimSmbusHost m_smbus;
};

} // namespace ort::sim
