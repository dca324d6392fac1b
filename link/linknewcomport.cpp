#include "link/linknewcomport.h"
#include "component/busaccess.h"
#include "link/chip.h"
#include "component/buserror.h"
#include "link/chipaddress.h"
#include "link/runtimeerror.h"

#include <QScopedValueRollback>

namespace ort {

uint8_t LinkNewComPort::read(uint8_t reg)
{
    d.RegisterPointer = reg;
    const uint8_t address = toByte(d.DeviceAddress);
    uint8_t value;
    if (d.BusMedium == chip::MediumPrinterPort) {
        m_bus.PrinterPort().Link().SetPortBase(d.PrinterPortBase);
        value = m_bus.PrinterPort().Link().ReadRegister(address, reg);
    } else {
        value = m_bus.Smbus().ReadRegister(address, reg);
    }
    d.ReadValue = value;
    return value;
}

void LinkNewComPort::write(uint8_t reg, int32_t value)
{
    d.RegisterPointer = reg;
    d.WriteValue = value;
    const uint8_t byte = toByte(value);
    const uint8_t address = toByte(d.DeviceAddress);
    if (d.BusMedium == chip::MediumPrinterPort) {
        m_bus.PrinterPort().Link().SetPortBase(d.PrinterPortBase);
        m_bus.PrinterPort().Link().WriteRegister(address, reg, byte);
    } else {
        m_bus.Smbus().WriteRegister(address, reg, byte);
    }
}

void LinkNewComPort::ReadRegister()
{
    read(toByte(d.RegisterPointer));
}

void LinkNewComPort::WriteRegister()
{
    write(toByte(d.RegisterPointer), d.WriteValue);
}

void LinkNewComPort::WritePortByte(uint16_t portAddress, int32_t value)
{
    const uint8_t byte = toByte(value);
    m_bus.PrinterPort().Link().WritePort(portAddress, byte);
}

int LinkNewComPort::AnyLimitFlagSet()
{
    return (read(chip::Status) & chip::StatusLimitMask) ? 1 : 0;
}

void LinkNewComPort::NegativeMagnitude()
{
    d.ReadValue = static_cast<int16_t>(((~d.ReadValue) & 0x7F) + 1);
}

void LinkNewComPort::RefreshEditorValue()
{
    d.EditorWorkingValue = read(toByte(d.EditorRegister));
    d.WriteValue = d.EditorWorkingValue;
}

std::optional<uint8_t> LinkNewComPort::respondToAlert(StatusFirst status, const std::function<void()> &pause)
{
    if (d.BusMedium == chip::MediumPrinterPort) {
        PrinterPortLink &bus = m_bus.PrinterPort().Link();
        if (status == StatusFirst::Read)
            read(chip::Status);
        else
            bus.SetPortBase(d.PrinterPortBase);
        bus.Start();
        bus.SendByte(chip::AlertResponseReadByte);
        const bool answered = bus.ReceiveAck();
        const uint8_t byte = bus.ReceiveByte();
        d.ReadValue = byte;
        pause();
        bus.SendNoAck();
        pause();
        bus.Stop();
        return answered ? std::optional<uint8_t>(address7Of(byte)) : std::nullopt;
    }
    const QScopedValueRollback restore(d.DeviceAddress, static_cast<int16_t>(chip::AlertResponseAddress));
    try {
        return address7Of(read(chip::DieRevision));
    } catch (const NoAcknowledge &) {
        return std::nullopt;   // nobody answers at the alert response address: no device is alerting
    }
}

} // namespace ort
