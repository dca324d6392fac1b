#pragma once
#include <cstdint>

namespace ort {

// The program-wide exchange variables of the register link and the register
// editor. One instance lives for the whole run and is handed to whoever
// needs it; a test builds a fresh one.
struct Declare {
    int16_t BusMedium = 0;          // 1 = printer-port route, anything else = on-board SMBus
    uint16_t PrinterPortBase = 0;   // unsigned: add-in cards sit above 7FFFh
    int16_t DeviceAddress = 0;      // 8-bit address byte (printer) or 7-bit address (SMBus)
    int16_t RegisterPointer = 0;
    int16_t ReadValue = 0;
    int32_t WriteValue = 0;
    int16_t EditorRegister = 0;
    int16_t EditorReadback = 0;
    int16_t EditorWorkingValue = 0;
    int16_t EditorWriteActive = 0;
    uint8_t GaugeEventsBlocked = 0;
};

} // namespace ort
