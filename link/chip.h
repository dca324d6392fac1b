#pragma once
#include "component/route.h"

#include <array>
#include <cstdint>

// The protocol's numbers, named once: the chip's registers and bits, the
// values that pick a route, and the component settings the program uses.

namespace ort::chip {

// Register addresses. Configuration, conversion rate and the four limits
// are read at one address and written at another.
inline constexpr uint8_t LocalTemperature = 0x00;
inline constexpr uint8_t RemoteTemperature = 0x01;
inline constexpr uint8_t Status = 0x02;
inline constexpr uint8_t ConfigurationRead = 0x03;
inline constexpr uint8_t ConversionRateRead = 0x04;
inline constexpr uint8_t LocalHighLimitRead = 0x05;
inline constexpr uint8_t LocalLowLimitRead = 0x06;
inline constexpr uint8_t RemoteHighLimitRead = 0x07;
inline constexpr uint8_t RemoteLowLimitRead = 0x08;
inline constexpr uint8_t ConfigurationWrite = 0x09;
inline constexpr uint8_t ConversionRateWrite = 0x0A;
inline constexpr uint8_t LocalHighLimitWrite = 0x0B;
inline constexpr uint8_t LocalLowLimitWrite = 0x0C;
inline constexpr uint8_t RemoteHighLimitWrite = 0x0D;
inline constexpr uint8_t RemoteLowLimitWrite = 0x0E;
inline constexpr uint8_t OneShot = 0x0F;
inline constexpr uint8_t ManufacturerIdRegister = 0xFE;
inline constexpr uint8_t DieRevision = 0xFF;

// What the manufacturer identification register reads on the chip.
inline constexpr uint8_t ManufacturerId = 0x5C;

// Status register bits.
inline constexpr uint8_t StatusAdcOn = 0x80;
inline constexpr uint8_t StatusLocalHigh = 0x40;
inline constexpr uint8_t StatusLocalLow = 0x20;
inline constexpr uint8_t StatusRemoteHigh = 0x10;
inline constexpr uint8_t StatusRemoteLow = 0x08;
inline constexpr uint8_t StatusRemoteOpen = 0x04;
// The four limit flags; busy and the open diode do not count as an alert.
inline constexpr uint8_t StatusLimitMask = 0x78;

// Configuration register bits.
inline constexpr uint8_t ConfigAlertMasked = 0x80;
inline constexpr uint8_t ConfigStandby = 0x40;

// BusMedium in the shared state: 1 is the printer port, anything else the
// on-board SMBus; the program stores only these two.
inline constexpr int16_t MediumPrinterPort = 1;
inline constexpr int16_t MediumSmbus = 0;

// The route a BusMedium stands for, and back.
using Route = ort::Route;
inline constexpr Route routeOf(int16_t busMedium)
{
    return busMedium == MediumPrinterPort ? Route::PrinterPort : Route::Smbus;
}
inline constexpr int16_t mediumOf(Route route)
{
    return route == Route::PrinterPort ? MediumPrinterPort : MediumSmbus;
}

// The component's SelectBus argument: the other way round.
inline constexpr int SelectPrinterPort = 0;
inline constexpr int SelectSmbus = 1;
inline constexpr int selectBusOf(Route route)
{
    return route == Route::PrinterPort ? SelectPrinterPort : SelectSmbus;
}

// The printer-port link's clock half-period, in units of 25 ns: 6 us.
inline constexpr int BusParameter = 240;

// The printer-port transport's start-up state, set by the splash.
inline constexpr bool StartupLinkVariant = true;
inline constexpr uint8_t StartupDeviceAddress = 212;   // D4h
inline constexpr uint16_t StartupPortBase = 888;       // 378h

// The SMBus alert response address: 7-bit on the SMBus route, and on the
// printer-port route sent as a raw byte with the read bit set.
inline constexpr uint8_t AlertResponseAddress = 0x0C;
inline constexpr uint8_t AlertResponseReadByte = 0x19;

// The nine 7-bit addresses the chip can be strapped to, in search order.
inline constexpr std::array<uint8_t, 9> CandidateAddresses = {0x18, 0x19, 0x1A, 0x29, 0x2A, 0x2B, 0x4C, 0x4D, 0x4E};

} // namespace ort::chip
