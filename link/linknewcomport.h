#pragma once
#include "link/declare.h"

#include <cstdint>

namespace ort {

class BusAccessServer;

// The register link: the one way the main window reads and writes the chip.
// Operations take their inputs from and leave their results in the shared
// variables; the component's objects are reached afresh from the program's
// one BusAccessServer on every call. Errors pass through unchanged, and
// ReadValue keeps its old content when a read fails.
class LinkNewComPort {
public:
    LinkNewComPort(Declare &state, BusAccessServer &bus) : d(state), m_bus(bus) {}

    void ReadRegister();
    void WriteRegister();
    void WritePortByte(uint16_t portAddress, int32_t value);
    int AnyLimitFlagSet();
    void NegativeMagnitude();
    void RefreshEditorValue();

private:
    Declare &d;
    BusAccessServer &m_bus;
};

} // namespace ort
