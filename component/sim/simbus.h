#pragma once
#include "component/clock.h"
#include "component/sim/simchip.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ort::sim {

// One bus segment of the simulated board and the chips on it, at the level
// of whole SMBus transactions and of the single bytes a master sends.
class SimBus {
public:
    SimBus(const std::vector<ChipSetup> &chips, const Clock &clock, uint32_t seed);

    // The chip at a 7-bit address, or null.
    SimChip *chipAt(uint8_t address7);
    const std::vector<std::unique_ptr<SimChip>> &chips() const { return m_chips; }

    // Whole transactions; throw NoAcknowledge / BusError like a host would.
    uint8_t readByteData(uint8_t address7, uint8_t reg);
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value);

    // Byte-level protocol for a master that drives single steps. Returns
    // whether the byte was acknowledged; the first byte after a start is
    // the address byte.
    void busStart();
    bool busWrite(uint8_t byte);
    uint8_t busRead();
    void busStop();

    // Counts whole transfers for the unplugged-board fault; -1 = never.
    void setUnplugAfter(int transfers) { m_unplugAfter = transfers; }
    bool unplugged() const { return m_unplugAfter >= 0 && m_transfers > m_unplugAfter; }

private:
    enum class Phase { Idle, Address, Write, Read, Alert, Ignored };
    Phase m_phase = Phase::Idle;
    SimChip *m_current = nullptr;
    bool m_pointerSet = false;
    std::optional<uint8_t> m_alertByte;
    std::vector<std::unique_ptr<SimChip>> m_chips;
    int m_unplugAfter = -1;
    int m_transfers = 0;
};

} // namespace ort::sim
