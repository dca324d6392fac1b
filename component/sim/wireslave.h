#pragma once
#include "component/sim/simbus.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace ort::sim {

struct WireViolation {
    int64_t timeNs;
    std::string what;
};

// Writes the two lines as a Value Change Dump, stamped with bus time.
class VcdTrace {
public:
    explicit VcdTrace(const std::string &path);
    bool isOpen() const { return m_out.is_open(); }
    void change(int64_t timeNs, bool scl, bool sda);

private:
    std::ofstream m_out;
    int64_t m_lastTime = -1;
    bool m_scl = true, m_sda = true;
};

// The chips of one printer-port board as the wires see them: follows SCL and
// SDA in bus time, decodes start, stop, bits and bytes into the segment's
// byte-level protocol, drives SDA for acknowledges and read data, and checks
// the waveform against the SMBus timing it needs.
class WireSlave {
public:
    static constexpr int64_t MinLowNs = 4700;       // tLOW
    static constexpr int64_t MinHighNs = 4000;      // tHIGH
    static constexpr int64_t MinStartHoldNs = 4000; // tHD:STA
    static constexpr int64_t MinStopSetupNs = 4000; // tSU:STO
    static constexpr int64_t MinBusFreeNs = 4700;   // tBUF

    explicit WireSlave(SimBus &bus) : m_bus(bus) {}

    // The lines as the master drives them now (true = released); the
    // board's own drive of SDA is combined here.
    void masterDrive(int64_t timeNs, bool scl, bool sda);
    bool scl() const { return m_scl; }
    bool sda() const { return m_sdaLine; }

    void setStuckSda(bool stuck) { m_stuck = stuck; }
    void setTrace(std::unique_ptr<VcdTrace> trace) { m_trace = std::move(trace); }
    const std::vector<WireViolation> &violations() const { return m_violations; }
    void clearViolations() { m_violations.clear(); }

private:
    enum class State { Idle, Receive, AckOut, Transmit, AckIn, Ignore };
    void clockRise(int64_t t);
    void clockFall(int64_t t);
    void dataChange(int64_t t, bool sda);
    void updateLine(int64_t t);
    void violation(int64_t t, std::string what);
    void loadTransmitByte();

    SimBus &m_bus;
    bool m_scl = true;
    bool m_masterSda = true;
    bool m_slaveSda = true;
    bool m_sdaLine = true;
    bool m_stuck = false;
    bool m_active = false;
    bool m_firstFallAfterStart = false;
    int64_t m_lastRise = -1'000'000, m_lastFall = -1'000'000, m_startAt = 0, m_stopAt = -1'000'000;
    State m_state = State::Idle;
    int m_bits = 0;
    uint8_t m_shift = 0;
    bool m_firstByte = true;
    bool m_reading = false;
    bool m_acked = false;
    bool m_masterAcked = false;
    uint8_t m_tx = 0;
    std::vector<WireViolation> m_violations;
    std::unique_ptr<VcdTrace> m_trace;
};

} // namespace ort::sim
