#pragma once
#include "link/chip.h"

#include <QMetaType>
#include <QString>
#include <cstdint>

namespace ort {

class BusAccessServer;
struct Declare;

// Where a chip is: its route, the printer port's I/O base or the SMBus
// adapter, and its 7-bit address on both routes. The shared state keeps the
// printer-port route's address as the byte the transport sends; that form
// is made here and read back here, nowhere else.
struct ChipAddress {
    Route route = Route::PrinterPort;
    uint8_t address7 = 0;
    uint16_t portBase = 0;   // on the printer-port route
    QString adapter;         // the SMBus adapter's device node, where it has one

    static ChipAddress printerPort(uint8_t address7, uint16_t portBase);
    static ChipAddress smbus(uint8_t address7, const QString &adapter = {});
    // The chip the shared state points at; the adapter is left empty.
    static ChipAddress fromState(const Declare &state);
    // The same with the SMBus adapter the component uses.
    static ChipAddress connected(const Declare &state, BusAccessServer &bus);

    bool onPrinterPort() const { return route == Route::PrinterPort; }
    // As DeviceAddress holds it: the address byte with the read bit clear on
    // the printer-port route, the 7-bit address on the SMBus.
    int16_t deviceAddress() const;
    // BusMedium, DeviceAddress and, on the printer-port route, PrinterPortBase.
    void store(Declare &state) const;
    // "ORT310 at 4Ch on printer port 378h", "ORT310 at 18h on the SMBus".
    QString text() const;

    bool operator==(const ChipAddress &) const = default;
};

// The 7-bit address in an address byte as the bus carries it (read bit
// last), as the printer-port route and the alert response give it.
inline constexpr uint8_t address7Of(uint8_t addressByte)
{
    return static_cast<uint8_t>(addressByte >> 1);
}

} // namespace ort

Q_DECLARE_METATYPE(ort::ChipAddress)
