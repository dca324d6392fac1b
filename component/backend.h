#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace ort {

// What a backend (the simulated board, or the Linux hardware) offers the
// component's front objects. Every failure is thrown as BusError.

// The SMBus route over one printer port's lines, addressed with the 8-bit
// address byte (read/write bit clear).
class PrinterTransport {
public:
    virtual ~PrinterTransport() = default;
    // true = non-inverting buffers, false = inverting.
    virtual void setVariant(bool nonInverting) = 0;
    // Clock half-period in units of 25 ns.
    virtual void setBusParameter(int parameter) = 0;
    virtual uint8_t readByteData(uint8_t addressByte, uint8_t reg) = 0;
    virtual void writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value) = 0;
    // Single bus steps; a missing acknowledge is reported, never thrown.
    virtual void start() = 0;
    virtual void sendByte(uint8_t value) = 0;
    virtual bool receiveAck() = 0;
    virtual uint8_t receiveByte() = 0;
    virtual void sendNoAck() = 0;
    virtual void stop() = 0;
    // Raw registers of the port: data lines, and the control register that
    // serves as the board's output latch.
    virtual void writeData(uint8_t value) = 0;
    virtual void writeControl(uint8_t value) = 0;
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
    virtual int portCount() = 0;
    virtual uint16_t portBase(int index) = 0;
    // The port whose I/O base is `base`; throws when there is none.
    virtual PrinterTransport &portAt(uint16_t base) = 0;
    virtual SmbusTransport &smbus() = 0;
    virtual std::string buildNumber() = 0;
    // Uses the SMBus adapter at this I/O base from now on, when there is
    // one; a backend with a single host keeps it and accepts any base.
    virtual bool selectSmbusBase(uint32_t) { return true; }
};

// The one place where a backend is chosen by name ("sim" or "linux").
std::unique_ptr<Backend> createBackend(const std::string &name);

} // namespace ort
