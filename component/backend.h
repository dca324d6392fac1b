#pragma once
#include "component/bitbang/parallelport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ort {

// What a backend (the simulated board, or the Linux hardware) offers the
// component's front objects: only what differs between a simulated and a
// real machine. Every failure is thrown as BusError.

// An SMBus adapter a search can use: its device node and the name the
// system gives it, and its I/O base (0 where the system shows none).
struct SmbusAdapterInfo {
    std::string device;
    std::string name;
    uint32_t base = 0;
    bool inUse = false;
};

// The on-board SMBus host controller, addressed with 7-bit addresses.
class SmbusTransport {
public:
    virtual ~SmbusTransport() = default;
    virtual uint8_t readByteData(uint8_t address7, uint8_t reg) = 0;
    virtual void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) = 0;
    virtual uint32_t baseAddress() = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::string name() const = 0;
    // One line for the user: what the program is talking to.
    virtual std::string description() const = 0;
    // The printer ports that can be used, in the system's order; their
    // number never changes.
    virtual int portCount() = 0;
    // For 0 <= index < portCount().
    virtual ParallelPort &port(int index) = 0;
    virtual SmbusTransport &smbus() = 0;
    virtual std::string buildNumber() = 0;
    // Uses the SMBus adapter at this I/O base from now on, when there is
    // one; a backend with a single host keeps it and accepts any base.
    virtual bool selectSmbusBase(uint32_t) { return true; }
    // The adapters that support byte-data transfers, in the system's order,
    // where the machine has a choice of them; empty where it has one host.
    virtual std::vector<SmbusAdapterInfo> smbusAdapters() { return {}; }
    // Uses the adapter of that device from now on, when it is one of
    // smbusAdapters(); returns whether it is.
    virtual bool selectSmbusAdapter(const std::string &) { return false; }
    // Why the SMBus host cannot be used, in one sentence; empty when it can.
    virtual std::string smbusProblem() { return {}; }
    // One sentence for each printer port that exists but cannot be used.
    virtual std::vector<std::string> portProblems() { return {}; }
    // For what the user reads, never for choosing what the program does:
    // whether the hardware is simulated, and the device node of the SMBus
    // adapter in use (empty when there is none or it has no node).
    virtual bool simulated() const { return false; }
    virtual std::string smbusAdapter() const { return {}; }
};

} // namespace ort
