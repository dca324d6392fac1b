#pragma once
#include "component/backend.h"
#include "component/bitbang/parallelport.h"

#include <cstdint>

namespace ort {

// An SMBus master that drives SCL and SDA through a printer port's data
// register and reads SDA back through the status register (the evaluation
// board's wiring: data bit 0 = SCL, data bit 1 = SDA, status bit 6 = SDA).
// The lines are open-drain: "released" lets the pull-up take them high.
//
// Every line change is one data-register write, made only when the line
// really changes (a shadow of the data register is kept), and every sample
// of SDA is one status read: this is the least this wiring allows.
class BitBangSmbus final : public PrinterTransport {
public:
    static constexpr uint8_t SclBit = 0x01;
    static constexpr uint8_t SdaBit = 0x02;
    static constexpr uint8_t SdaStatusBit = 0x40;
    static constexpr int64_t BusyTimeoutNs = 35'000'000;   // SMBus clock-low timeout
    static constexpr int64_t NsPerParameterUnit = 25;

    explicit BitBangSmbus(ParallelPort &port) : m_port(port) {}

    void setVariant(bool nonInverting) override;
    void setBusParameter(int parameter) override;
    uint8_t readByteData(uint8_t addressByte, uint8_t reg) override;
    void writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value) override;
    void start() override;
    void sendByte(uint8_t value) override;
    bool receiveAck() override;
    uint8_t receiveByte() override;
    void sendNoAck() override;
    void stop() override;
    void writeData(uint8_t value) override;
    void writeControl(uint8_t value) override { m_port.writeControl(value); }

    void sendAck();
    int64_t halfPeriodNs() const { return int64_t(m_parameter) * NsPerParameterUnit; }

private:
    void drive(bool scl, bool sda);   // true = released
    void setScl(bool released) { drive(released, m_sda); }
    void setSda(bool released) { drive(m_scl, released); }
    bool readSda();
    void halfPeriod() { m_port.wait(halfPeriodNs()); }
    void ensureKnownState();
    void waitForFreeBus();
    void sendBit(bool bit);
    bool receiveBit();
    [[noreturn]] void failNoAck(uint8_t addressByte);

    ParallelPort &m_port;
    bool m_nonInverting = true;
    int m_parameter = 240;
    bool m_known = false;     // the shadow matches the port
    bool m_scl = true;
    bool m_sda = true;
    bool m_inTransfer = false;
    uint8_t m_otherBits = 0;  // data bits the master does not use, kept as last written
};

} // namespace ort
