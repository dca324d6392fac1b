#pragma once
#include <cstdint>

namespace ort {

// The three registers of one printer port and a way to let time pass: all
// the bit-bang master needs, implemented by the simulated port and by the
// Linux port device.
class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    virtual void writeData(uint8_t value) = 0;
    virtual uint8_t readStatus() = 0;
    virtual void writeControl(uint8_t value) = 0;
    // Waits at least this long; the simulator advances its bus time instead.
    virtual void wait(int64_t nanoseconds) = 0;
    // A monotonic time in nanoseconds, for timeouts (bus time on the simulator).
    virtual int64_t nowNs() = 0;
    // Where the port is, for messages ("378h").
    virtual uint16_t base() const = 0;
};

} // namespace ort
