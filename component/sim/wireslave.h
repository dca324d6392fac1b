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
    // The header and the lines' levels at time 0.
    void begin(bool scl, bool sda);
    void change(int64_t timeNs, bool scl, bool sda);
    // Writes what is buffered, ended by a timestamp after the last change:
    // a decoder takes a change as lasting until the next timestamp, and drops
    // a final one that has none (the last stop).
    void flush(int64_t nowNs);

private:
    std::ofstream m_out;
    int64_t m_lastTime = -1;
    bool m_scl = true, m_sda = true;
    bool m_unflushed = false;
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
    static constexpr int64_t DataHoldNs = 300;      // tHD:DAT: the board's SDA changes this long after SCL falls

    explicit WireSlave(SimBus &bus) : m_bus(bus) {}

    // The lines as the master drives them at bus time t (true = released);
    // the board's own drive of SDA is combined here.
    void masterDrive(int64_t t, bool scl, bool sda);
    // Lets bus time reach t: a change of SDA that the board holds back
    // for the hold time takes place.
    void advance(int64_t t);
    bool scl() const { return m_scl; }
    bool sda() const { return m_sdaLine; }
    // Between transfers: no start without its stop.
    bool idle() const { return !m_active; }
    // The latest start and stop conditions, as "S" and "P", oldest first
    // (a few dozen at most).
    const std::string &conditions() const { return m_conditions; }

    // Where the lines are before anything happens on them: the board's
    // faults, and the master's drive as the data register leaves it.
    void setInitialState(bool scl, bool sda, bool stuckSda);
    // Starts the trace at the lines' present levels.
    void setTrace(std::unique_ptr<VcdTrace> trace);
    void flushTrace(int64_t t);
    const std::vector<WireViolation> &violations() const { return m_violations; }
    void clearViolations() { m_violations.clear(); }

private:
    enum class State { Idle, Receive, AckOut, Transmit, AckIn, Ignore };
    void clockRise(int64_t t);
    void clockFall(int64_t t);
    void dataChange(int64_t t, bool sda);
    void updateLine(int64_t t);
    void violation(int64_t t, std::string what);
    bool loadTransmitByte();

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
    // The board's next level of SDA and when it takes it; -1 = none pending.
    bool m_pendingSda = true;
    int64_t m_pendingAt = -1;
    std::string m_conditions;
    std::vector<WireViolation> m_violations;
    std::unique_ptr<VcdTrace> m_trace;
};

} // namespace ort::sim
