#pragma once
#include "component/bitbang/parallelport.h"
#include "component/sim/scenario.h"
#include "component/sim/wireslave.h"

#include <cstdint>

namespace ort::sim {

// A printer port with the evaluation board on its connector, in bus time:
// each register access takes AccessNs, waits add to the clock. The board's
// buffers have their own polarity; a master that assumes the other one
// drives the lines the wrong way round.
class VirtualParallelPort final : public ParallelPort {
public:
    static constexpr int64_t AccessNs = 1000;   // an ISA-bus port access

    VirtualParallelPort(const PortSetup &setup, SimBus &bus, int index = 0);

    void writeData(uint8_t value) override;
    uint8_t readStatus() override;
    void writeControl(uint8_t value) override;
    void wait(int64_t nanoseconds) override { m_timeNs += nanoseconds; }
    int64_t nowNs() override { return m_timeNs; }
    uint16_t base() const override { return m_setup.base; }

    uint8_t dataRegister() const { return m_data; }
    uint8_t controlRegister() const { return m_control; }
    int64_t busTimeNs() const { return m_timeNs; }
    WireSlave &wire() { return m_wire; }
    const WireSlave &wire() const { return m_wire; }

    struct Counts {
        long dataWrites = 0, statusReads = 0, controlWrites = 0;
        long total() const { return dataWrites + statusReads + controlWrites; }
    };
    const Counts &counts() const { return m_counts; }
    void resetCounts() { m_counts = {}; }

private:
    PortSetup m_setup;
    WireSlave m_wire;
    uint8_t m_data = 0xFF;
    uint8_t m_control = 0xFF;
    int64_t m_timeNs = 0;
    Counts m_counts;
};

} // namespace ort::sim
