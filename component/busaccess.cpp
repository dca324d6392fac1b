#include "component/busaccess.h"
#include "component/buserror.h"

#include <cstdio>
#include <cstdlib>

namespace ort {

namespace {

std::string arg(long long v) { return std::to_string(v); }
std::string arg(bool v) { return v ? "True" : "False"; }

template <typename... Args>
std::string call(const char *name, Args... args)
{
    std::string s = name;
    s += '(';
    bool first = true;
    ((s += (first ? "" : ","), s += arg(args), first = false), ...);
    s += ')';
    return s;
}

std::unique_ptr<BusAccessServer> &instanceSlot()
{
    static std::unique_ptr<BusAccessServer> instance;
    return instance;
}

} // namespace

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
    m_server.transcript().record(call("OutputLatch.SetValue", (long long)value));
    Backend &b = m_server.backend();
    // A system without a printer port has no latch to drive.
    if (b.portCount() == 0)
        return;
    b.portAt(b.portBase(m_server.PrinterPort().selectedPort())).writeControl(value);
}

// ---- printer-port link

PrinterTransport &PrinterPortLink::transport()
{
    PrinterTransport &t = m_server.backend().portAt(m_base);
    t.setVariant(m_variant);
    t.setBusParameter(m_busParameter);
    return t;
}

void PrinterPortLink::SetPortBase(uint16_t base)
{
    m_server.transcript().record(call("PrinterPortLink.SetPortBase", (long long)base));
    m_base = base;
}

uint16_t PrinterPortLink::PortBase()
{
    m_server.transcript().record(call("PrinterPortLink.PortBase"));
    return m_base;
}

void PrinterPortLink::SetDeviceAddress(uint8_t addressByte)
{
    m_server.transcript().record(call("PrinterPortLink.SetDeviceAddress", (long long)addressByte));
    m_deviceAddress = addressByte;
}

void PrinterPortLink::SetLinkVariant(bool variant)
{
    m_server.transcript().record(call("PrinterPortLink.SetLinkVariant", variant));
    m_variant = variant;
}

bool PrinterPortLink::LinkVariant()
{
    m_server.transcript().record(call("PrinterPortLink.LinkVariant"));
    return m_variant;
}

void PrinterPortLink::SetBusParameter(int parameter)
{
    m_server.transcript().record(call("PrinterPortLink.SetBusParameter", (long long)parameter));
    if (parameter <= 0)
        throw BusError("Invalid bus parameter " + std::to_string(parameter));
    m_busParameter = parameter;
}

uint8_t PrinterPortLink::ReadRegister(uint8_t addressByte, uint8_t reg)
{
    m_server.transcript().record(call("PrinterPortLink.ReadRegister", (long long)addressByte, (long long)reg));
    return transport().readByteData(addressByte, reg);
}

void PrinterPortLink::WriteRegister(uint8_t addressByte, uint8_t reg, uint8_t value)
{
    m_server.transcript().record(
        call("PrinterPortLink.WriteRegister", (long long)addressByte, (long long)reg, (long long)value));
    transport().writeByteData(addressByte, reg, value);
}

void PrinterPortLink::WritePort(uint16_t portAddress, uint8_t value)
{
    m_server.transcript().record(call("PrinterPortLink.WritePort", (long long)portAddress, (long long)value));
    m_server.backend().portAt(portAddress).writeData(value);
}

void PrinterPortLink::Start()
{
    m_server.transcript().record(call("PrinterPortLink.Start"));
    transport().start();
}

void PrinterPortLink::SendByte(uint8_t value)
{
    m_server.transcript().record(call("PrinterPortLink.SendByte", (long long)value));
    transport().sendByte(value);
}

bool PrinterPortLink::ReceiveAck()
{
    m_server.transcript().record(call("PrinterPortLink.ReceiveAck"));
    return transport().receiveAck();
}

uint8_t PrinterPortLink::ReceiveByte()
{
    m_server.transcript().record(call("PrinterPortLink.ReceiveByte"));
    return transport().receiveByte();
}

void PrinterPortLink::SendNoAck()
{
    m_server.transcript().record(call("PrinterPortLink.SendNoAck"));
    transport().sendNoAck();
}

void PrinterPortLink::Stop()
{
    m_server.transcript().record(call("PrinterPortLink.Stop"));
    transport().stop();
}

// ---- printer-port bus

PrinterPortBus::PrinterPortBus(BusAccessServer &server) : m_server(server), m_link(server), m_latch(server) {}

uint8_t PrinterPortBus::PortCount()
{
    m_server.transcript().record(call("PrinterPortBus.PortCount"));
    const int n = m_server.backend().portCount();
    return static_cast<uint8_t>(n > 255 ? 255 : n);
}

void PrinterPortBus::SelectPort(uint8_t index)
{
    m_server.transcript().record(call("PrinterPortBus.SelectPort", (long long)index));
    Backend &b = m_server.backend();
    if (index >= b.portCount())
        throw BusError("There is no printer port " + std::to_string(index + 1));
    m_selected = index;
    // Transfers go to the selected port from now on.
    m_link.m_base = b.portBase(index);
}

uint16_t PrinterPortBus::PortAddress()
{
    m_server.transcript().record(call("PrinterPortBus.PortAddress"));
    Backend &b = m_server.backend();
    if (m_selected >= b.portCount())
        throw BusError("No printer port is selected");
    return b.portBase(m_selected);
}

// ---- SMBus host

uint8_t SmbusHost::ReadRegister(uint8_t address7, uint8_t reg)
{
    m_server.transcript().record(call("SmbusHost.ReadRegister", (long long)address7, (long long)reg));
    return m_server.backend().smbus().readByteData(address7, reg);
}

void SmbusHost::WriteRegister(uint8_t address7, uint8_t reg, uint8_t value)
{
    m_server.transcript().record(
        call("SmbusHost.WriteRegister", (long long)address7, (long long)reg, (long long)value));
    m_server.backend().smbus().writeByteData(address7, reg, value);
}

bool SmbusHost::SelectHostBaseAddress(uint32_t base)
{
    m_server.transcript().record(call("SmbusHost.SelectHostBaseAddress", (long long)base));
    return m_server.backend().selectSmbusBase(base);
}

uint32_t SmbusHost::HostBaseAddress()
{
    m_server.transcript().record(call("SmbusHost.HostBaseAddress"));
    return m_server.backend().smbus().baseAddress();
}

void SmbusHost::SetDeviceAddress(uint8_t address7)
{
    m_server.transcript().record(call("SmbusHost.SetDeviceAddress", (long long)address7));
    m_deviceAddress = address7;
}

std::string SystemInfo::BuildNumber()
{
    m_server.transcript().record(call("SystemInfo.BuildNumber"));
    return m_server.backend().buildNumber();
}

// ---- server

BusAccessServer::BusAccessServer(std::unique_ptr<Backend> backend)
    : m_backend(std::move(backend)), m_printerPort(*this), m_smbus(*this)
{
}

PrinterPortBus &BusAccessServer::PrinterPort()
{
    m_transcript.record(call("BusAccessServer.PrinterPort"));
    return m_printerPort;
}

SmbusHost &BusAccessServer::Smbus()
{
    m_transcript.record(call("BusAccessServer.Smbus"));
    return m_smbus;
}

void BusAccessServer::SelectBus(int bus)
{
    m_transcript.record(call("BusAccessServer.SelectBus", (long long)bus));
    m_bus = bus;
}

std::unique_ptr<SystemInfo> BusAccessServer::CreateSystemInfo()
{
    m_transcript.record(call("BusAccessServer.CreateSystemInfo"));
    return std::make_unique<SystemInfo>(*this);
}

BusAccessServer &busAccess()
{
    auto &slot = instanceSlot();
    if (!slot) {
        const char *env = std::getenv("ORT310_BUS");
        slot = std::make_unique<BusAccessServer>(createBackend(env && *env ? env : "sim"));
    }
    return *slot;
}

void installBusAccess(std::unique_ptr<BusAccessServer> server)
{
    instanceSlot() = std::move(server);
}

bool busAccessCreated()
{
    return instanceSlot() != nullptr;
}

} // namespace ort
