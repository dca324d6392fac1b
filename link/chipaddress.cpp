#include "link/chipaddress.h"
#include "component/busaccess.h"
#include "link/declare.h"
#include "link/text.h"

namespace ort {

ChipAddress ChipAddress::printerPort(uint8_t address7, uint16_t portBase)
{
    return {Route::PrinterPort, address7, portBase, {}};
}

ChipAddress ChipAddress::smbus(uint8_t address7, const QString &adapter)
{
    return {Route::Smbus, address7, 0, adapter};
}

ChipAddress ChipAddress::fromState(const Declare &state)
{
    const Route route = chip::routeOf(state.BusMedium);
    if (route == Route::PrinterPort)
        return printerPort(address7Of(static_cast<uint8_t>(state.DeviceAddress)), state.PrinterPortBase);
    return smbus(static_cast<uint8_t>(state.DeviceAddress));
}

ChipAddress ChipAddress::connected(const Declare &state, BusAccessServer &bus)
{
    ChipAddress chip = fromState(state);
    if (!chip.onPrinterPort())
        chip.adapter = QString::fromStdString(bus.smbusAdapter());
    return chip;
}

int16_t ChipAddress::deviceAddress() const
{
    return onPrinterPort() ? static_cast<int16_t>(address7 << 1) : address7;
}

void ChipAddress::store(Declare &state) const
{
    state.BusMedium = chip::mediumOf(route);
    if (onPrinterPort())
        state.PrinterPortBase = portBase;
    state.DeviceAddress = deviceAddress();
}

QString ChipAddress::text() const
{
    QString text = ChipName + QStringLiteral(" at ") + hexWithSuffix(address7);
    if (onPrinterPort())
        return text + QStringLiteral(" on printer port ") + hexWithSuffix(portBase);
    return text + QStringLiteral(" on the SMBus");
}

} // namespace ort
