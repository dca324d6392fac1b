#include "component/busaccess.h"
#include "component/buserror.h"

#include <cstdio>

namespace ort {

std::string hexByte(unsigned value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", value);
    return buf;
}

std::string noAcknowledgeText(unsigned address7)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "No acknowledge from device at %02Xh", address7);
    return buf;
}

// ---- output latch

void OutputLatch::SetValue(uint8_t value)
{
    m_server.transcript().record("OutputLatch.SetValue", value);
    Backend &b = m_server.backend();
    // A system without a printer port has no latch to drive.
    if (b.portCount() == 0)
        return;
    b.port(m_server.PrinterPort().selectedPort()).writeControl(value);
}

// ---- printer-port link

BitBangSmbus &PrinterPortLink::master()
{
    BitBangSmbus &m = m_server.master(m_base);
    m.setVariant(m_variant);
    m.setBusParameter(m_busParameter);
    return m;
}

void PrinterPortLink::SetPortBase(uint16_t base)
{
    m_server.transcript().record("PrinterPortLink.SetPortBase", base);
    m_base = base;
}

uint16_t PrinterPortLink::PortBase()
{
    m_server.transcript().record("PrinterPortLink.PortBase");
    return m_base;
}

void PrinterPortLink::SetDeviceAddress(uint8_t addressByte)
{
    m_server.transcript().record("PrinterPortLink.SetDeviceAddress", addressByte);
    m_deviceAddress = addressByte;
}

void PrinterPortLink::SetLinkVariant(bool variant)
{
    m_server.transcript().record("PrinterPortLink.SetLinkVariant", variant);
    m_variant = variant;
}

bool PrinterPortLink::LinkVariant()
{
    m_server.transcript().record("PrinterPortLink.LinkVariant");
    return m_variant;
}

void PrinterPortLink::SetBusParameter(int parameter)
{
    m_server.transcript().record("PrinterPortLink.SetBusParameter", parameter);
    BitBangSmbus::checkBusParameter(parameter);
    m_busParameter = parameter;
}

uint8_t PrinterPortLink::ReadRegister(uint8_t addressByte, uint8_t reg)
{
    m_server.transcript().record("PrinterPortLink.ReadRegister", addressByte, reg);
    return master().readByteData(addressByte, reg);
}

void PrinterPortLink::WriteRegister(uint8_t addressByte, uint8_t reg, uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.WriteRegister", addressByte, reg, value);
    master().writeByteData(addressByte, reg, value);
}

void PrinterPortLink::WritePort(uint16_t portAddress, uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.WritePort", portAddress, value);
    // Through the port's master, whose picture of the lines must follow.
    m_server.master(portAddress).writeData(value);
}

void PrinterPortLink::Start()
{
    m_server.transcript().record("PrinterPortLink.Start");
    master().start();
}

void PrinterPortLink::SendByte(uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.SendByte", value);
    master().sendByte(value);
}

bool PrinterPortLink::ReceiveAck()
{
    m_server.transcript().record("PrinterPortLink.ReceiveAck");
    return master().receiveAck();
}

uint8_t PrinterPortLink::ReceiveByte()
{
    m_server.transcript().record("PrinterPortLink.ReceiveByte");
    return master().receiveByte();
}

void PrinterPortLink::SendNoAck()
{
    m_server.transcript().record("PrinterPortLink.SendNoAck");
    master().sendNoAck();
}

void PrinterPortLink::Stop()
{
    m_server.transcript().record("PrinterPortLink.Stop");
    master().stop();
}

// ---- printer-port bus

PrinterPortBus::PrinterPortBus(BusAccessServer &server) : m_server(server), m_link(server), m_latch(server) {}

uint8_t PrinterPortBus::PortCount()
{
    m_server.transcript().record("PrinterPortBus.PortCount");
    const int n = m_server.backend().portCount();
    return static_cast<uint8_t>(n > 255 ? 255 : n);
}

void PrinterPortBus::SelectPort(uint8_t index)
{
    m_server.transcript().record("PrinterPortBus.SelectPort", index);
    Backend &b = m_server.backend();
    if (index >= b.portCount())
        throw BusError("There is no printer port " + std::to_string(index + 1));
    m_selected = index;
    // Transfers go to the selected port from now on.
    m_link.m_base = b.port(index).base();
}

uint16_t PrinterPortBus::PortAddress()
{
    m_server.transcript().record("PrinterPortBus.PortAddress");
    Backend &b = m_server.backend();
    if (m_selected >= b.portCount())
        throw BusError("No printer port is selected");
    return b.port(m_selected).base();
}

// ---- SMBus host

uint8_t SmbusHost::ReadRegister(uint8_t address7, uint8_t reg)
{
    m_server.transcript().record("SmbusHost.ReadRegister", address7, reg);
    return m_server.backend().smbus().readByteData(address7, reg);
}

void SmbusHost::WriteRegister(uint8_t address7, uint8_t reg, uint8_t value)
{
    m_server.transcript().record("SmbusHost.WriteRegister", address7, reg, value);
    m_server.backend().smbus().writeByteData(address7, reg, value);
}

bool SmbusHost::SelectHostBaseAddress(uint32_t base)
{
    m_server.transcript().record("SmbusHost.SelectHostBaseAddress", base);
    return m_server.backend().selectSmbusBase(base);
}

std::vector<SmbusAdapterInfo> SmbusHost::Adapters()
{
    m_server.transcript().record("SmbusHost.Adapters");
    return m_server.backend().smbusAdapters();
}

bool SmbusHost::SelectAdapter(const std::string &device)
{
    m_server.transcript().record("SmbusHost.SelectAdapter", device);
    return m_server.backend().selectSmbusAdapter(device);
}

uint32_t SmbusHost::HostBaseAddress()
{
    m_server.transcript().record("SmbusHost.HostBaseAddress");
    return m_server.backend().smbus().baseAddress();
}

void SmbusHost::SetDeviceAddress(uint8_t address7)
{
    m_server.transcript().record("SmbusHost.SetDeviceAddress", address7);
    m_deviceAddress = address7;
}

// ---- system information

std::string SystemInfo::BuildNumber()
{
    m_server.transcript().record("SystemInfo.BuildNumber");
    return m_server.backend().buildNumber();
}

std::string SystemInfo::SmbusProblem()
{
    m_server.transcript().record("SystemInfo.SmbusProblem");
    return m_server.backend().smbusProblem();
}

std::vector<std::string> SystemInfo::PortProblems()
{
    m_server.transcript().record("SystemInfo.PortProblems");
    return m_server.backend().portProblems();
}

// ---- server

BusAccessServer::BusAccessServer(std::unique_ptr<Backend> backend)
    : m_backend(std::move(backend)), m_printerPort(*this), m_smbus(*this)
{
    for (int i = 0; i < m_backend->portCount(); ++i)
        m_masters.push_back(std::make_unique<BitBangSmbus>(m_backend->port(i)));
}

BitBangSmbus &BusAccessServer::master(uint16_t base)
{
    for (int i = 0; i < m_backend->portCount(); ++i)
        if (m_backend->port(i).base() == base)
            return *m_masters[static_cast<size_t>(i)];
    throw BusError("No printer port at I/O address " + hexByte(base) + "h");
}

PrinterPortBus &BusAccessServer::PrinterPort()
{
    m_transcript.record("BusAccessServer.PrinterPort");
    return m_printerPort;
}

SmbusHost &BusAccessServer::Smbus()
{
    m_transcript.record("BusAccessServer.Smbus");
    return m_smbus;
}

void BusAccessServer::SelectBus(int bus)
{
    m_transcript.record("BusAccessServer.SelectBus", bus);
    m_bus = bus;
}

std::unique_ptr<SystemInfo> BusAccessServer::CreateSystemInfo()
{
    m_transcript.record("BusAccessServer.CreateSystemInfo");
    return std::make_unique<SystemInfo>(*this);
}

} // namespace ort
