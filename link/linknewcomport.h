#pragma once
#include "link/declare.h"

#include <cstdint>

namespace ort {

// The register link: the one way the main window reads and writes the chip.
// Operations take their inputs from and leave their results in the shared
// variables; the component is reached afresh through its global instance on
// every call. Errors pass through unchanged, and ReadValue keeps its old
// content when a read fails.
class LinkNewComPort {
public:
    explicit LinkNewComPort(Declare &state) : d(state) {}

    void ReadRegister();
    void WriteRegister();
    void WritePortByte(uint16_t portAddress, int32_t value);
    int AnyLimitFlagSet();
    void NegativeMagnitude();
    void RefreshEditorValue();

private:
    Declare &d;
};

} // namespace ort
