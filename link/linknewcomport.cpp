#include "link/linknewcomport.h"
#include "component/busaccess.h"
#include "link/chip.h"
#include "link/runtimeerror.h"

namespace ort {

void LinkNewComPort::ReadRegister()
{
    const uint8_t address = toByte(d.DeviceAddress);
    const uint8_t reg = toByte(d.RegisterPointer);
    uint8_t value;
    if (d.BusMedium == chip::MediumPrinterPort) {
        m_bus.PrinterPort().Link().SetPortBase(d.PrinterPortBase);
        value = m_bus.PrinterPort().Link().ReadRegister(address, reg);
    } else {
        value = m_bus.Smbus().ReadRegister(address, reg);
    }
    d.ReadValue = value;
}

void LinkNewComPort::WriteRegister()
{
    const uint8_t value = toByte(d.WriteValue);
    const uint8_t reg = toByte(d.RegisterPointer);
    const uint8_t address = toByte(d.DeviceAddress);
    if (d.BusMedium == chip::MediumPrinterPort) {
        m_bus.PrinterPort().Link().SetPortBase(d.PrinterPortBase);
        m_bus.PrinterPort().Link().WriteRegister(address, reg, value);
    } else {
        m_bus.Smbus().WriteRegister(address, reg, value);
    }
}

void LinkNewComPort::WritePortByte(uint16_t portAddress, int32_t value)
{
    const uint8_t byte = toByte(value);
    m_bus.PrinterPort().Link().WritePort(portAddress, byte);
}

int LinkNewComPort::AnyLimitFlagSet()
{
    d.RegisterPointer = chip::Status;
    ReadRegister();
    return (d.ReadValue & chip::StatusLimitMask) ? 1 : 0;
}

void LinkNewComPort::NegativeMagnitude()
{
    d.ReadValue = static_cast<int16_t>(((~d.ReadValue) & 0x7F) + 1);
}

void LinkNewComPort::RefreshEditorValue()
{
    d.RegisterPointer = d.EditorRegister;
    ReadRegister();
    d.EditorWorkingValue = d.ReadValue;
    d.WriteValue = d.ReadValue;
}

} // namespace ort
