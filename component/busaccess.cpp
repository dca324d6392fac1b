#include "component/busaccess.h"
#include "component/buserror.h"

#include <chrono>
#include <cstdio>
#include <type_traits>

namespace ort {

namespace {

int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void finish(Transfer &t, int64_t startNs, int64_t endNs, Transfer::Outcome outcome, std::string_view reason = {})
{
    t.durationNs = endNs - startNs;
    t.outcome = outcome;
    t.reason = reason;
}

// Runs one transfer and tells the server's observer how it went: the byte
// a read returned, or the failure, which goes on to the caller unchanged.
// `describe` and `now` run only while someone watches.
template <typename Describe, typename Now, typename Body>
auto watch(BusAccessServer &server, Describe &&describe, Now &&now, Body &&body) -> std::invoke_result_t<Body>
{
    if (!server.watched())
        return body();
    Transfer t = describe();
    const int64_t start = now();
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
            body();
            finish(t, start, now(), Transfer::Outcome::Acknowledged);
            server.notify(t);
        } else {
            const auto value = body();
            t.data = value;
            finish(t, start, now(), Transfer::Outcome::Acknowledged);
            server.notify(t);
            return value;
        }
    } catch (const NoAcknowledge &e) {
        finish(t, start, now(), Transfer::Outcome::NotAcknowledged, e.what());
        server.notify(t);
        throw;
    } catch (const BusError &e) {
        finish(t, start, now(), Transfer::Outcome::Failed, e.what());
        server.notify(t);
        throw;
    }
}

Transfer printerTransfer(uint16_t base, uint8_t addressByte, bool read, uint8_t reg)
{
    Transfer t;
    t.route = Transfer::Route::PrinterPort;
    t.where = base;
    t.address = static_cast<int16_t>(addressByte >> 1);
    t.read = read;
    t.reg = reg;
    return t;
}

} // namespace

std::string noAcknowledgeText(unsigned address7)
{
    return "No acknowledge from device at " + hexDigits(address7, 2) + "h";
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
    return watch(
        m_server, [&] { return printerTransfer(m_base, addressByte, true, reg); },
        [this] { return m_server.busTimeNs(m_base); }, [&] { return master().readByteData(addressByte, reg); });
}

void PrinterPortLink::WriteRegister(uint8_t addressByte, uint8_t reg, uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.WriteRegister", addressByte, reg, value);
    watch(
        m_server,
        [&] {
            Transfer t = printerTransfer(m_base, addressByte, false, reg);
            t.data = value;
            return t;
        },
        [this] { return m_server.busTimeNs(m_base); }, [&] { master().writeByteData(addressByte, reg, value); });
}

void PrinterPortLink::WritePort(uint16_t portAddress, uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.WritePort", portAddress, value);
    watch(
        m_server,
        [&] {
            Transfer t;
            t.where = portAddress;
            t.data = value;
            return t;
        },
        [&] { return m_server.busTimeNs(portAddress); },
        // Through the port's master, whose picture of the lines must follow.
        [&] { m_server.master(portAddress).writeData(value); });
}

// The single bus steps are told as one transfer from the start to the stop:
// the byte after a start is the address (its low bit: read), a byte written
// after it the register, the last byte moved the data.
template <typename Body>
auto PrinterPortLink::step(Body &&body)
{
    if (!m_steps)
        return body();
    try {
        return body();
    } catch (const NoAcknowledge &e) {
        endSteps(Transfer::Outcome::NotAcknowledged, e.what());
        throw;
    } catch (const BusError &e) {
        endSteps(Transfer::Outcome::Failed, e.what());
        throw;
    }
}

void PrinterPortLink::endSteps(Transfer::Outcome outcome, std::string_view reason)
{
    Transfer t = *m_steps;
    m_steps.reset();
    const Transfer::Outcome sofar = t.outcome;
    finish(t, m_stepsStartNs, m_server.busTimeNs(t.where), outcome, reason);
    // A missing acknowledge on the way stays what the transfer came to.
    if (outcome == Transfer::Outcome::Acknowledged)
        t.outcome = sofar;
    m_server.notify(t);
}

void PrinterPortLink::Start()
{
    m_server.transcript().record("PrinterPortLink.Start");
    // A repeated start goes on with the transfer begun.
    if (!m_steps && m_server.watched()) {
        m_steps = Transfer{};
        m_steps->where = m_base;
        m_stepsStartNs = m_server.busTimeNs(m_base);
    }
    m_addressNext = true;
    step([&] { master().start(); });
}

void PrinterPortLink::SendByte(uint8_t value)
{
    m_server.transcript().record("PrinterPortLink.SendByte", value);
    step([&] { master().sendByte(value); });
    if (!m_steps)
        return;
    if (m_addressNext) {
        m_steps->address = static_cast<int16_t>(value >> 1);
        m_steps->read = (value & 1) != 0;
        m_addressNext = false;
    } else if (!m_steps->read && m_steps->reg == Transfer::None) {
        m_steps->reg = value;
    } else {
        m_steps->data = value;
    }
}

bool PrinterPortLink::ReceiveAck()
{
    m_server.transcript().record("PrinterPortLink.ReceiveAck");
    const bool acknowledged = step([&] { return master().receiveAck(); });
    if (m_steps && !acknowledged)
        m_steps->outcome = Transfer::Outcome::NotAcknowledged;
    return acknowledged;
}

uint8_t PrinterPortLink::ReceiveByte()
{
    m_server.transcript().record("PrinterPortLink.ReceiveByte");
    const uint8_t value = step([&] { return master().receiveByte(); });
    if (m_steps)
        m_steps->data = value;
    return value;
}

void PrinterPortLink::SendNoAck()
{
    m_server.transcript().record("PrinterPortLink.SendNoAck");
    step([&] { master().sendNoAck(); });
}

void PrinterPortLink::Stop()
{
    m_server.transcript().record("PrinterPortLink.Stop");
    step([&] { master().stop(); });
    if (m_steps)
        endSteps(Transfer::Outcome::Acknowledged, {});
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
    return watch(
        m_server,
        [&] {
            Transfer t = m_server.smbusTransfer();
            t.address = address7;
            t.read = true;
            t.reg = reg;
            return t;
        },
        steadyNs, [&] { return m_server.backend().smbus().readByteData(address7, reg); });
}

void SmbusHost::WriteRegister(uint8_t address7, uint8_t reg, uint8_t value)
{
    m_server.transcript().record("SmbusHost.WriteRegister", address7, reg, value);
    watch(
        m_server,
        [&] {
            Transfer t = m_server.smbusTransfer();
            t.address = address7;
            t.reg = reg;
            t.data = value;
            return t;
        },
        steadyNs, [&] { m_server.backend().smbus().writeByteData(address7, reg, value); });
}

bool SmbusHost::selectHostBaseAddress(uint32_t base)
{
    m_server.transcript().record("SmbusHost.selectHostBaseAddress", base);
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

std::string SystemInfo::smbusProblem()
{
    m_server.transcript().record("SystemInfo.smbusProblem");
    return m_server.backend().smbusProblem();
}

std::vector<std::string> SystemInfo::portProblems()
{
    m_server.transcript().record("SystemInfo.portProblems");
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
    throw BusError("No printer port at I/O address " + hexDigits(base) + "h");
}

int64_t BusAccessServer::busTimeNs(uint16_t base)
{
    for (int i = 0; i < m_backend->portCount(); ++i)
        if (ParallelPort &port = m_backend->port(i); port.base() == base)
            return port.nowNs();
    return 0;
}

Transfer BusAccessServer::smbusTransfer()
{
    Transfer t;
    t.route = Transfer::Route::Smbus;
    t.where = m_backend->smbus().baseAddress();
    m_adapter = m_backend->smbusAdapter();
    t.adapter = m_adapter;
    return t;
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

std::unique_ptr<SystemInfo> BusAccessServer::createSystemInfo()
{
    m_transcript.record("BusAccessServer.createSystemInfo");
    return std::make_unique<SystemInfo>(*this);
}

} // namespace ort
