#include "component/sim/simbus.h"
#include "component/buserror.h"

namespace ort::sim {

SimBus::SimBus(const std::vector<ChipSetup> &chips, const Clock &clock, uint32_t seed)
{
    for (const ChipSetup &setup : chips)
        m_chips.push_back(std::make_unique<SimChip>(setup, clock, seed++));
}

SimChip *SimBus::chipAt(uint8_t address7)
{
    for (auto &chip : m_chips)
        if (chip->address7() == address7)
            return chip.get();
    return nullptr;
}

uint8_t SimBus::readByteData(uint8_t address7, uint8_t reg)
{
    // The alert response address answers only a read; a host's
    // read-byte-data reaches it as a plain receive byte.
    if (address7 != SimChip::AlertResponseAddress) {
        busStart();
        if (!busWrite(static_cast<uint8_t>(address7 << 1)) || !busWrite(reg)) {
            busStop();
            throw NoAcknowledge(noAcknowledgeText(address7));
        }
    }
    busStart();
    if (!busWrite(static_cast<uint8_t>(address7 << 1 | 1))) {
        busStop();
        throw NoAcknowledge(noAcknowledgeText(address7));
    }
    const uint8_t value = busRead();
    busStop();
    return value;
}

void SimBus::writeByteData(uint8_t address7, uint8_t reg, uint8_t value)
{
    busStart();
    const bool ok = busWrite(static_cast<uint8_t>(address7 << 1)) && busWrite(reg) && busWrite(value);
    busStop();
    if (!ok)
        throw NoAcknowledge(noAcknowledgeText(address7));
}

void SimBus::busStart()
{
    // A repeated start keeps the chip selected; only the first start of a
    // transfer counts it.
    if (m_phase == Phase::Idle)
        ++m_transfers;
    m_phase = Phase::Address;
}

bool SimBus::busWrite(uint8_t byte)
{
    switch (m_phase) {
    case Phase::Address: {
        if (unplugged()) {
            m_phase = Phase::Ignored;
            return false;
        }
        const uint8_t address7 = byte >> 1;
        const bool read = byte & 1;
        if (address7 == SimChip::AlertResponseAddress && read) {
            m_alertByte.reset();
            for (auto &chip : m_chips) {
                if ((m_alertByte = chip->respondToAlert()))
                    break;
            }
            m_phase = m_alertByte ? Phase::Alert : Phase::Ignored;
            return m_alertByte.has_value();
        }
        SimChip *chip = chipAt(address7);
        const bool continuing = chip && chip == m_current;
        if (!chip || (!continuing && !chip->beginTransfer())) {
            m_current = nullptr;
            m_phase = Phase::Ignored;
            return false;
        }
        if (!continuing)
            m_pointerSet = false;
        m_current = chip;
        m_phase = read ? Phase::Read : Phase::Write;
        return true;
    }
    case Phase::Write:
        if (!m_pointerSet) {
            m_current->setPointer(byte);
            m_pointerSet = true;
            return true;
        }
        return m_current->write(byte);
    default:
        return false;
    }
}

uint8_t SimBus::busRead()
{
    switch (m_phase) {
    case Phase::Read:
        return m_current->read();
    case Phase::Alert:
        return *m_alertByte;
    default:
        return 0xFF; // nobody drives the line
    }
}

void SimBus::busStop()
{
    m_phase = Phase::Idle;
    m_current = nullptr;
    m_pointerSet = false;
}

} // namespace ort::sim
