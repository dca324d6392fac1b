#pragma once
#include "link/declare.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace ort {

class BusAccessServer;

// The register link: the one way the main window reads and writes the chip.
// read() and write() take the register and the value and return what was
// read; they leave the shared variables as the procedures below them do, so
// code that reads those variables after a transfer sees the same values.
// The procedures take their inputs from and leave their results in the
// shared variables. The component's objects are reached afresh from the
// program's one BusAccessServer on every call. Errors pass through
// unchanged, and ReadValue keeps its old content when a read fails.
class LinkNewComPort {
public:
    LinkNewComPort(Declare &state, BusAccessServer &bus) : d(state), m_bus(bus) {}

    uint8_t read(uint8_t reg);
    // `value` must be a byte by the time it goes out: anything else is an
    // Overflow, and nothing is sent.
    void write(uint8_t reg, int32_t value);

    void ReadRegister();
    void WriteRegister();
    void WritePortByte(uint16_t portAddress, int32_t value);
    int AnyLimitFlagSet();
    void NegativeMagnitude();
    void RefreshEditorValue();

    // How the alert response reaches the printer port: by a status read,
    // which sets the port's base, or by setting the base on its own. The
    // status read clears the chip's flags, and with them the ALERT the
    // response is asked to answer for.
    enum class StatusFirst { Read, Skip };
    // The SMBus alert response: a read at the alert response address, which
    // the device holding ALERT low answers with its address, releasing
    // ALERT. On the printer port it is sent as single bus steps, `pause`
    // waiting between the last ones. DeviceAddress is the chip's again
    // afterwards, also when the read fails. The 7-bit address of the device
    // that answered, or nothing where none did.
    std::optional<uint8_t> respondToAlert(StatusFirst status, const std::function<void()> &pause);

private:
    Declare &d;
    BusAccessServer &m_bus;
};

} // namespace ort
