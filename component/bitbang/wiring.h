#pragma once
#include <cstdint>

namespace ort::wiring {

// The evaluation board's adapter on a printer port: two data-register bits
// drive the SMBus lines through open-drain buffers, and one status bit reads
// SDA back. The bit-bang master and the simulated board both read it here.
inline constexpr uint8_t SclBit = 0x01;        // data register bit 0
inline constexpr uint8_t SdaBit = 0x02;        // data register bit 1
inline constexpr uint8_t SdaStatusBit = 0x40;  // status register bit 6 (nACK pin)

} // namespace ort::wiring
