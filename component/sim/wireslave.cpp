#include "component/sim/wireslave.h"

namespace ort::sim {

VcdTrace::VcdTrace(const std::string &path) : m_out(path) {}

void VcdTrace::begin(bool scl, bool sda)
{
    if (!m_out)
        return;
    m_scl = scl;
    m_sda = sda;
    m_out << "$timescale 1ns $end\n$scope module printer_port $end\n"
             "$var wire 1 ! SCL $end\n$var wire 1 \" SDA $end\n$upscope $end\n$enddefinitions $end\n"
             "#0\n$dumpvars\n"
          << (scl ? '1' : '0') << "!\n" << (sda ? '1' : '0') << "\"\n$end\n";
    m_lastTime = 0;
}

void VcdTrace::change(int64_t timeNs, bool scl, bool sda)
{
    if (!m_out || (scl == m_scl && sda == m_sda))
        return;
    if (timeNs != m_lastTime)
        m_out << '#' << timeNs << '\n';
    m_lastTime = timeNs;
    if (scl != m_scl)
        m_out << (scl ? '1' : '0') << "!\n";
    if (sda != m_sda)
        m_out << (sda ? '1' : '0') << "\"\n";
    m_scl = scl;
    m_sda = sda;
    m_unflushed = true;
}

void VcdTrace::flush(int64_t nowNs)
{
    if (!m_out || !m_unflushed)
        return;
    m_lastTime = nowNs > m_lastTime ? nowNs : m_lastTime + 1;
    m_out << '#' << m_lastTime << '\n';
    m_out.flush();
    m_unflushed = false;
}

void WireSlave::violation(int64_t t, std::string what)
{
    m_violations.push_back({t, std::move(what)});
}

void WireSlave::setInitialState(bool scl, bool sda, bool stuckSda)
{
    m_scl = scl;
    m_masterSda = sda;
    m_stuck = stuckSda;
    m_sdaLine = m_masterSda && m_slaveSda && !m_stuck;
}

void WireSlave::setTrace(std::unique_ptr<VcdTrace> trace)
{
    m_trace = std::move(trace);
    if (m_trace)
        m_trace->begin(m_scl, m_sdaLine);
}

void WireSlave::flushTrace(int64_t t)
{
    advance(t);
    if (m_trace)
        m_trace->flush(t);
}

void WireSlave::advance(int64_t t)
{
    if (m_pendingAt < 0 || m_pendingAt > t)
        return;
    const int64_t at = m_pendingAt;
    m_slaveSda = m_pendingSda;
    m_pendingAt = -1;
    updateLine(at);
}

void WireSlave::updateLine(int64_t t)
{
    const bool line = m_masterSda && m_slaveSda && !m_stuck;
    const bool changed = line != m_sdaLine;
    m_sdaLine = line;
    if (m_trace)
        m_trace->change(t, m_scl, m_sdaLine);
    if (changed && m_scl)
        dataChange(t, line);
}

void WireSlave::masterDrive(int64_t t, bool scl, bool sda)
{
    advance(t);
    const bool sdaWillChange = (sda && m_slaveSda && !m_stuck) != m_sdaLine;
    if (scl != m_scl && sdaWillChange)
        violation(t, "SCL and SDA changed in the same step");
    // The clock first, then the data line.
    if (scl != m_scl) {
        m_scl = scl;
        if (m_trace)
            m_trace->change(t, m_scl, m_sdaLine);
        if (scl)
            clockRise(t);
        else
            clockFall(t);
    }
    m_masterSda = sda;
    updateLine(t);
}

void WireSlave::dataChange(int64_t t, bool sda)
{
    if (m_conditions.size() >= 64)
        m_conditions.erase(0, 32);
    // SDA moving while SCL is high is a start (falling) or a stop (rising).
    if (!sda) {
        // The clock rise that precedes a start or stop is not a data bit.
        if (m_active && m_state == State::Receive && m_bits > 1)
            violation(t, "start condition inside a byte");
        if (!m_active && t - m_stopAt < MinBusFreeNs)
            violation(t, "bus free time " + std::to_string(t - m_stopAt) + " ns before start");
        if (m_active && t - m_lastRise < MinHighNs)
            violation(t, "repeated start set-up " + std::to_string(t - m_lastRise) + " ns");
        m_conditions += 'S';
        m_bus.busStart();
        m_active = true;
        m_firstFallAfterStart = true;
        m_startAt = t;
        m_state = State::Receive;
        m_bits = 0;
        m_shift = 0;
        m_firstByte = true;
        m_slaveSda = true;
        m_pendingAt = -1;
    } else {
        if (!m_active)
            return;   // the lines let go outside a transfer: nothing to end
        if (m_state == State::Receive && m_bits > 1)
            violation(t, "stop condition inside a byte");
        if (t - m_lastRise < MinStopSetupNs)
            violation(t, "stop set-up " + std::to_string(t - m_lastRise) + " ns");
        m_conditions += 'P';
        m_bus.busStop();
        m_active = false;
        m_state = State::Idle;
        m_stopAt = t;
        m_slaveSda = true;
        m_pendingAt = -1;
    }
}

void WireSlave::clockRise(int64_t t)
{
    if (m_active && t - m_lastFall < MinLowNs)
        violation(t, "clock low for " + std::to_string(t - m_lastFall) + " ns");
    m_lastRise = t;
    if (!m_active)
        return;
    const bool bit = m_masterSda && m_slaveSda && !m_stuck;
    switch (m_state) {
    case State::Receive:
        m_shift = static_cast<uint8_t>(m_shift << 1 | (bit ? 1 : 0));
        ++m_bits;
        break;
    case State::AckIn:
        m_masterAcked = !bit;
        break;
    default:
        break;
    }
}

bool WireSlave::loadTransmitByte()
{
    m_tx = m_bus.busRead();
    m_bits = 0;
    m_state = State::Transmit;
    return (m_tx & 0x80) != 0;
}

void WireSlave::clockFall(int64_t t)
{
    if (m_active) {
        if (t - m_lastRise < MinHighNs)
            violation(t, "clock high for " + std::to_string(t - m_lastRise) + " ns");
        if (m_firstFallAfterStart && t - m_startAt < MinStartHoldNs)
            violation(t, "start hold " + std::to_string(t - m_startAt) + " ns");
    }
    m_firstFallAfterStart = false;
    m_lastFall = t;
    if (!m_active)
        return;
    // The board moves SDA only while the clock is low, and only after
    // holding it for the data hold time past the falling edge.
    bool next = m_slaveSda;
    switch (m_state) {
    case State::Receive:
        if (m_bits == 8) {
            m_acked = m_bus.busWrite(m_shift);
            if (m_firstByte)
                m_reading = m_shift & 1;
            m_firstByte = false;
            next = !m_acked;
            m_state = State::AckOut;
        }
        break;
    case State::AckOut:
        next = true;
        if (m_acked && m_reading) {
            next = loadTransmitByte();
        } else {
            m_state = m_acked ? State::Receive : State::Ignore;
            m_bits = 0;
            m_shift = 0;
        }
        break;
    case State::Transmit:
        if (++m_bits < 8) {
            next = (m_tx >> (7 - m_bits)) & 1;
        } else {
            next = true;
            m_state = State::AckIn;
        }
        break;
    case State::AckIn:
        if (m_masterAcked)
            next = loadTransmitByte();
        else
            m_state = State::Ignore;
        break;
    default:
        break;
    }
    if (next != m_slaveSda) {
        m_pendingSda = next;
        m_pendingAt = t + DataHoldNs;
    }
}

} // namespace ort::sim
