#pragma once
#include <cstdint>

namespace ort {

// The two ways to a chip: the evaluation board on a printer port, or an
// SMBus adapter. Every layer names a route by this one type; the shared
// state's BusMedium and the component's SelectBus keep their own numbers,
// converted in link/chip.h.
enum class Route : uint8_t { PrinterPort, Smbus };

} // namespace ort
