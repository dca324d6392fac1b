#pragma once
#include "component/route.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace ort {

// One transfer on a bus as the component made it, told to whoever watches
// (the bus console): a register read or write, an SMBus transaction built
// from single bus steps (start to stop), or a write of a port's data lines.
// The texts are valid only during the call that tells it.
struct Transfer {
    using Route = ort::Route;
    enum class Outcome : uint8_t { Acknowledged, NotAcknowledged, Failed };
    static constexpr int16_t None = -1;

    Route route = Route::PrinterPort;
    bool read = false;
    int16_t address = None;   // 7-bit device address; none for a port write
    int16_t reg = None;       // register address; none where no register was named
    int16_t data = None;      // the byte read or sent; none when no byte moved
    Outcome outcome = Outcome::Acknowledged;
    uint32_t where = 0;       // the printer port's I/O base, or the SMBus host's
    std::string_view adapter; // the SMBus adapter's device node, where it has one
    std::string_view reason;  // the failure's text
    int64_t durationNs = 0;   // bus time on the printer route
};

using TransferObserver = std::function<void(const Transfer &)>;

} // namespace ort
