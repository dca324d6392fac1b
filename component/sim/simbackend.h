#pragma once
#include "component/backend.h"
#include "component/clock.h"
#include "component/sim/scenario.h"
#include "component/bitbang/bitbangsmbus.h"
#include "component/sim/simbus.h"
#include "component/sim/virtualport.h"

#include <memory>
#include <vector>

namespace ort::sim {

// One simulated printer port with its board: the real bit-bang master
// drives the virtual port's lines, and the board's wire-level slave answers
// for the chips of the port's bus segment.
class SimPrinterPort final : public PrinterTransport {
public:
    SimPrinterPort(const PortSetup &setup, const Clock &clock, uint32_t seed, int index = 0);
    void setVariant(bool nonInverting) override { m_master.setVariant(nonInverting); }
    void setBusParameter(int parameter) override
    {
        m_master.setBusParameter(parameter);
        m_busParameter = parameter;
    }
    uint8_t readByteData(uint8_t addressByte, uint8_t reg) override { return m_master.readByteData(addressByte, reg); }
    void writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value) override
    {
        m_master.writeByteData(addressByte, reg, value);
    }
    void start() override { m_master.start(); }
    void sendByte(uint8_t value) override { m_master.sendByte(value); }
    bool receiveAck() override { return m_master.receiveAck(); }
    uint8_t receiveByte() override { return m_master.receiveByte(); }
    void sendNoAck() override { m_master.sendNoAck(); }
    void stop() override { m_master.stop(); }
    void writeData(uint8_t value) override { m_master.writeData(value); }
    void writeControl(uint8_t value) override { m_master.writeControl(value); }

    const PortSetup &setup() const { return m_setup; }
    SimBus &bus() { return m_bus; }
    VirtualParallelPort &wires() { return m_port; }
    const std::vector<WireViolation> &violations() const { return m_port.wire().violations(); }
    uint8_t dataRegister() const { return m_port.dataRegister(); }
    uint8_t controlRegister() const { return m_port.controlRegister(); }
    int busParameter() const { return m_busParameter; }

private:
    PortSetup m_setup;
    SimBus m_bus;
    VirtualParallelPort m_port;
    BitBangSmbus m_master;
    int m_busParameter = 240;
};

class SimSmbusHost final : public SmbusTransport {
public:
    SimSmbusHost(const SmbusSetup &setup, const Clock &clock, uint32_t seed);
    uint8_t readByteData(uint8_t address7, uint8_t reg) override;
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) override;
    uint32_t baseAddress() override;
    SimBus &bus() { return m_bus; }

private:
    void requirePresent() const;
    SmbusSetup m_setup;
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
