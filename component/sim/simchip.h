#pragma once
#include "component/clock.h"
#include "component/sim/scenario.h"

#include <cstdint>
#include <optional>
#include <random>

namespace ort::sim {

// The simulated temperature-monitor chip. Both bus routes drive it through
// the same byte-level operations, so a wire-level slave and a transaction
// model see one chip state. Time is taken from the injected clock on every
// access and every conversion that fell due in between is run then, in
// order, so that a long pause leaves the chip exactly as many short ones.
class SimChip {
public:
    static constexpr uint8_t ManufacturerId = 0x5C;
    static constexpr uint8_t DieRevision = 0x01;
    static constexpr uint8_t AlertResponseAddress = 0x0C;
    static constexpr double ConversionTime = 1.0 / 16.0;

    SimChip(const ChipSetup &setup, const Clock &clock, uint32_t seed);

    uint8_t address7() const { return m_setup.address7; }

    // A transfer addressed to the chip begins. False once the chip has
    // stopped answering (the unplugged-board fault).
    bool beginTransfer();
    void setPointer(uint8_t reg) { m_pointer = reg; }
    // Reads the register at the pointer; a status read clears the flags.
    uint8_t read();
    // Writes the register at the pointer; false when the byte is refused.
    bool write(uint8_t value);

    bool alertAsserted();
    // The chip's answer at the alert response address: its 8-bit address
    // byte while ALERT is asserted (which releases ALERT), else nothing.
    std::optional<uint8_t> respondToAlert();

    // Direct look at the registers for tests; runs due conversions first.
    uint8_t peek(uint8_t reg);
    int conversions() const { return m_conversions; }

    static double conversionPeriod(uint8_t rateCode);

private:
    void update();
    void startConversion(double at);
    void completeConversion(double at);
    static uint8_t toByte(double celsius);
    bool standby() const { return (m_config & 0x40) != 0; }

    ChipSetup m_setup;
    const Clock &m_clock;
    std::mt19937 m_rng;
    std::normal_distribution<double> m_noise{0.0, 1.0};
    double m_origin;

    uint8_t m_pointer = 0;
    uint8_t m_local = 0, m_remote = 0;
    uint8_t m_flags = 0;               // latched status bits 6..2
    uint8_t m_config, m_rate;
    uint8_t m_localHigh, m_localLow, m_remoteHigh, m_remoteLow;
    bool m_alertReleased = false;

    bool m_converting = false;
    double m_conversionEnd = 0;
    double m_nextStart = 0;
    int m_conversions = 0;
    int m_transfers = 0;
};

} // namespace ort::sim
