#pragma once
#include "component/bitbang/parallelport.h"

#include <cstdint>
#include <optional>

namespace ort {

// An SMBus master over one printer port's lines, wired as wiring.h says. The
// lines are open-drain: "released" lets the pull-up take them high.
//
// Every line change is one data-register write, made only when the line
// really changes (a shadow of the data register is kept), and two lines never
// move in one write; every sample of SDA is one status read. This is the
// least this wiring allows.
class BitBangSmbus final {
public:
    static constexpr int64_t BusyTimeoutNs = 35'000'000;   // SMBus clock-low timeout
    static constexpr int64_t NsPerParameterUnit = 25;
    static constexpr int DefaultBusParameter = 240;

    explicit BitBangSmbus(ParallelPort &port) : m_port(port) {}

    // Throws BusError unless the parameter can set a clock.
    static void checkBusParameter(int parameter);

    // true = non-inverting buffers, false = inverting.
    void setVariant(bool nonInverting) { m_nonInverting = nonInverting; }
    // Clock half-period in units of 25 ns.
    void setBusParameter(int parameter);
    int64_t halfPeriodNs() const { return int64_t(m_parameter) * NsPerParameterUnit; }

    // SMBus read-byte-data and write-byte-data with the 8-bit address byte.
    // A missing acknowledge throws NoAcknowledge after a stop.
    uint8_t readByteData(uint8_t addressByte, uint8_t reg);
    void writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value);

    // Single bus steps; a missing acknowledge is reported, never thrown.
    void start();
    void sendByte(uint8_t value);
    bool receiveAck();
    uint8_t receiveByte();
    void sendNoAck();
    void stop();

    // A raw write of the data register; the master's shadow follows it.
    void writeData(uint8_t value);

private:
    void drive(bool sclReleased, bool sdaReleased);
    uint8_t data();
    bool released(uint8_t bit);
    void setScl(bool released);
    void setSda(bool released);
    bool readSda();
    void halfPeriod() { m_port.wait(halfPeriodNs()); }
    void releaseLines();
    void stopCondition();
    void waitForFreeBus();
    void sendBit(bool bit);
    bool receiveBit();
    [[noreturn]] void failNoAck(uint8_t addressByte);

    ParallelPort &m_port;
    bool m_nonInverting = true;
    int m_parameter = DefaultBusParameter;
    // The data register as last written; read from the port on first use,
    // so that the lines' state is known under either polarity.
    std::optional<uint8_t> m_data;
    bool m_inTransfer = false;
};

} // namespace ort
