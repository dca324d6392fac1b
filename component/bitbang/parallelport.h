#pragma once
#include <cstdint>

namespace ort {

// One printer port as the hardware offers it: three registers, a wait and a
// monotonic clock. This is all that differs between the simulated board and
// a real port; the SMBus master above it is shared.
class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    virtual void writeData(uint8_t value) = 0;
    // The data register as last written (the port latches it).
    virtual uint8_t readData() = 0;
    virtual uint8_t readStatus() = 0;
    virtual void writeControl(uint8_t value) = 0;
    // Waits at least this long; the simulator advances its bus time instead.
    virtual void wait(int64_t nanoseconds) = 0;
    // A monotonic time in nanoseconds, for timeouts (bus time on the simulator).
    virtual int64_t nowNs() = 0;
    // The port's I/O base: how the program names it ("378h").
    virtual uint16_t base() const = 0;
};

} // namespace ort
