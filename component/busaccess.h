#pragma once
#include "component/backend.h"
#include "component/bitbang/bitbangsmbus.h"
#include "component/transcript.h"
#include "component/transfer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The bus access component. Its objects and operations keep the names of the
// contract the program was written against; a Backend offers the hardware,
// and the printer-port SMBus is driven here, by one bit-bang master per port.

namespace ort {

class BusAccessServer;

class OutputLatch {
public:
    explicit OutputLatch(BusAccessServer &server) : m_server(server) {}
    void SetValue(uint8_t value);

private:
    BusAccessServer &m_server;
};

class PrinterPortLink {
public:
    explicit PrinterPortLink(BusAccessServer &server) : m_server(server) {}
    void SetPortBase(uint16_t base);
    uint16_t PortBase();
    void SetDeviceAddress(uint8_t addressByte);
    uint8_t deviceAddress() const { return m_deviceAddress; }
    void SetLinkVariant(bool variant);
    bool LinkVariant();
    void SetBusParameter(int parameter);
    uint8_t ReadRegister(uint8_t addressByte, uint8_t reg);
    void WriteRegister(uint8_t addressByte, uint8_t reg, uint8_t value);
    void WritePort(uint16_t portAddress, uint8_t value);
    void Start();
    void SendByte(uint8_t value);
    bool ReceiveAck();
    uint8_t ReceiveByte();
    void SendNoAck();
    void Stop();

private:
    friend class PrinterPortBus;
    BitBangSmbus &master();
    // Runs one single bus step; a failure ends the steps' transfer.
    template <typename Body>
    auto step(Body &&body);
    void endSteps(Transfer::Outcome outcome, std::string_view reason);
    BusAccessServer &m_server;
    // Single bus steps from a start to the stop, told as one transfer.
    std::optional<Transfer> m_steps;
    int64_t m_stepsStartNs = 0;
    bool m_addressNext = false;   // the next byte sent follows a start
    uint16_t m_base = 0;
    uint8_t m_deviceAddress = 0;
    bool m_variant = true;
    int m_busParameter = BitBangSmbus::DefaultBusParameter;
};

class PrinterPortBus {
public:
    explicit PrinterPortBus(BusAccessServer &server);
    uint8_t PortCount();
    void SelectPort(uint8_t index);
    uint16_t PortAddress();
    PrinterPortLink &Link() { return m_link; }
    ort::OutputLatch &OutputLatch() { return m_latch; }
    int selectedPort() const { return m_selected; }

private:
    BusAccessServer &m_server;
    PrinterPortLink m_link;
    ort::OutputLatch m_latch;
    int m_selected = 0;
};

class SmbusHost {
public:
    explicit SmbusHost(BusAccessServer &server) : m_server(server) {}
    uint8_t ReadRegister(uint8_t address7, uint8_t reg);
    void WriteRegister(uint8_t address7, uint8_t reg, uint8_t value);
    uint32_t HostBaseAddress();
    // Our addition: picks the host controller at an I/O base the user typed,
    // where the machine has more than one. Returns whether one is there.
    bool selectHostBaseAddress(uint32_t base);
    // Our addition: the SMBus adapters the user may choose from, where the
    // machine has more than one that does byte-data transfers (empty where
    // there is no choice), and the choice. SelectAdapter returns whether the
    // device is one of them.
    std::vector<SmbusAdapterInfo> Adapters();
    bool SelectAdapter(const std::string &device);
    void SetDeviceAddress(uint8_t address7);
    uint8_t deviceAddress() const { return m_deviceAddress; }

private:
    BusAccessServer &m_server;
    uint8_t m_deviceAddress = 0;
};

class SystemInfo {
public:
    explicit SystemInfo(BusAccessServer &server) : m_server(server) {}
    std::string BuildNumber();
    // Our additions, so that a refusal can say why: the reason the SMBus
    // host cannot be used (empty when it can), and one sentence for each
    // printer port that exists but cannot be opened.
    std::string smbusProblem();
    std::vector<std::string> portProblems();

private:
    BusAccessServer &m_server;
};

class BusAccessServer {
public:
    explicit BusAccessServer(std::unique_ptr<Backend> backend);
    PrinterPortBus &PrinterPort();
    SmbusHost &Smbus();
    void SelectBus(int bus);
    int selectedBus() const { return m_bus; }
    // The operating-system information object, a second class of the component.
    std::unique_ptr<SystemInfo> createSystemInfo();

    Backend &backend() { return *m_backend; }
    // Our additions, outside the contract and not recorded in the transcript:
    // what the main window tells the user it is connected to.
    bool simulated() const { return m_backend->simulated(); }
    std::string smbusAdapter() const { return m_backend->smbusAdapter(); }
    uint32_t smbusBase() { return m_backend->smbus().baseAddress(); }
    Transcript &transcript() { return m_transcript; }
    // The master of the port whose I/O base is `base`; throws BusError when
    // there is none.
    BitBangSmbus &master(uint16_t base);

    // Our addition: tells `observer` of every transfer from now on; an
    // empty one stops it. There is one; nothing is measured while it is empty.
    void setTransferObserver(TransferObserver observer) { m_observer = std::move(observer); }
    bool watched() const { return static_cast<bool>(m_observer); }
    void notify(const Transfer &transfer)
    {
        if (m_observer)
            m_observer(transfer);
    }
    // The bus time of the port at `base`, for how long a transfer took (0
    // where there is no such port).
    int64_t busTimeNs(uint16_t base);
    // An SMBus transfer to the host in use, its route filled in.
    Transfer smbusTransfer();

private:
    std::unique_ptr<Backend> m_backend;
    std::vector<std::unique_ptr<BitBangSmbus>> m_masters;   // one per port, in the backend's order
    Transcript m_transcript;
    TransferObserver m_observer;
    std::string m_adapter;   // what smbusTransfer() points at
    PrinterPortBus m_printerPort;
    SmbusHost m_smbus;
    int m_bus = 0;
};

} // namespace ort
