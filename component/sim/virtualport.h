#pragma once
#include "component/bitbang/parallelport.h"
#include "component/clock.h"
#include "component/sim/scenario.h"
#include "component/sim/simbus.h"
#include "component/sim/wireslave.h"

#include <cstdint>
#include <memory>

namespace ort::sim {

// A printer port with the evaluation board on its connector, in bus time:
// each register access takes AccessNs, waits add to the clock. The board's
// buffers have their own polarity; a master that assumes the other one
// drives the lines the wrong way round.
class VirtualParallelPort final : public ParallelPort {
public:
    static constexpr int64_t AccessNs = 1000;   // an ISA-bus port access

    // `trace`, when given, receives the lines as a VCD file.
    VirtualParallelPort(const PortSetup &setup, const Clock &clock, uint32_t seed,
                        std::unique_ptr<VcdTrace> trace = nullptr);
    ~VirtualParallelPort() override;
    VirtualParallelPort(const VirtualParallelPort &) = delete;
    VirtualParallelPort &operator=(const VirtualParallelPort &) = delete;

    void writeData(uint8_t value) override;
    uint8_t readData() override;
    uint8_t readStatus() override;
    void writeControl(uint8_t value) override;
    void wait(int64_t nanoseconds) override;
    int64_t nowNs() override { return m_timeNs; }
    uint16_t base() const override { return m_setup.base; }

    const PortSetup &setup() const { return m_setup; }
    // The chips of the board on this port.
    SimBus &bus() { return m_bus; }
    uint8_t dataRegister() const { return m_data; }
    uint8_t controlRegister() const { return m_control; }
    int64_t busTimeNs() const { return m_timeNs; }
    WireSlave &wire() { return m_wire; }
    const std::vector<WireViolation> &violations() const { return m_wire.violations(); }

    struct Counts {
        long dataWrites = 0, dataReads = 0, statusReads = 0, controlWrites = 0;
        long total() const { return dataWrites + dataReads + statusReads + controlWrites; }
    };
    const Counts &counts() const { return m_counts; }
    void resetCounts() { m_counts = {}; }

private:
    void access();
    PortSetup m_setup;
    SimBus m_bus;
    WireSlave m_wire;
    bool m_nonInverting;   // the board's buffers as they are now
    uint8_t m_data = 0xFF;
    uint8_t m_control = 0xFF;
    int64_t m_timeNs = 0;
    Counts m_counts;
};

} // namespace ort::sim
