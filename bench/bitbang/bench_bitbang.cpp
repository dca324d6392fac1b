// Port accesses of the bit-bang master on the wire-level simulated board,
// beside the least this wiring allows, and transactions per second:
//   build/bench/bitbang/bench_bitbang
#include "component/bitbang/bitbangsmbus.h"
#include "component/sim/simbackend.h"

#include <chrono>
#include <cstdio>
#include <initializer_list>

using namespace ort::sim;

namespace {

// The least number of port accesses for a transfer on this wiring. SCL and
// SDA are two bits of one write-only data register, and SDA is read back
// through the status register, so:
//  - every change of a line costs one data write, and two lines may never
//    change in the same write (SDA may only move while SCL is low, or it
//    would be a start or stop);
//  - every sample of SDA (an acknowledge or a data bit) costs one status read;
//  - start from idle: SDA low, SCL low (2); repeated start from the low clock
//    phase with SDA released: SCL high, SDA low, SCL low (3); stop: SDA low,
//    SCL high, SDA high (3);
//  - a bit sent: one write if SDA must change, then SCL high and low (2);
//  - a bit received or an acknowledge: SDA released if the master held it
//    low (one write), SCL high, one read, SCL low.
struct Minimum {
    long writes = 0, reads = 0;
    bool sdaReleased = true;
    void start() { writes += 2, sdaReleased = false; }
    void repeatedStart() { writes += sdaReleased ? 3 : 4, sdaReleased = false; }
    void stop() { writes += sdaReleased ? 3 : 2, sdaReleased = true; }
    void sendBit(bool bit) { writes += (bit != sdaReleased) + 2, sdaReleased = bit; }
    void sendByte(uint8_t b)
    {
        for (int i = 7; i >= 0; --i)
            sendBit((b >> i) & 1);
    }
    void receiveBit() { writes += (!sdaReleased) + 2, reads += 1, sdaReleased = true; }
    long total() const { return writes + reads; }
};

long minimumRead(uint8_t address, uint8_t reg)
{
    Minimum m;
    m.start();
    m.sendByte(address);
    m.receiveBit();
    m.sendByte(reg);
    m.receiveBit();
    m.repeatedStart();
    m.sendByte(address | 1);
    m.receiveBit();
    for (int i = 0; i < 8; ++i)
        m.receiveBit();
    m.sendBit(true);   // no acknowledge
    m.stop();
    return m.total();
}

long minimumWrite(uint8_t address, uint8_t reg, uint8_t value)
{
    Minimum m;
    m.start();
    for (uint8_t b : {address, reg, value}) {
        m.sendByte(b);
        m.receiveBit();
    }
    m.stop();
    return m.total();
}

} // namespace

int main()
{
    Scenario s;
    PortSetup port;
    ChipSetup chip;
    chip.address7 = 0x4C;
    port.chips.push_back(chip);
    s.ports.push_back(port);
    SimBackend backend(s, std::make_shared<ort::ManualClock>());
    VirtualParallelPort &wires = backend.port(0);
    ort::BitBangSmbus p(wires);
    p.setBusParameter(240);

    // Averages over every register address, so that the data bits vary.
    long readAccesses = 0, readMinimum = 0, writeAccesses = 0, writeMinimum = 0;
    for (int reg = 0; reg < 256; ++reg) {
        wires.resetCounts();
        const uint8_t value = p.readByteData(0x98, static_cast<uint8_t>(reg));
        readAccesses += wires.counts().total();
        readMinimum += minimumRead(0x98, static_cast<uint8_t>(reg));
        // Limit registers only, so the chip's state stays sensible.
        const uint8_t target = static_cast<uint8_t>(0x0B + reg % 4);
        wires.resetCounts();
        p.writeByteData(0x98, target, value);
        writeAccesses += wires.counts().total();
        writeMinimum += minimumWrite(0x98, target, value);
    }
    const double perRead = readAccesses / 256.0, minRead = readMinimum / 256.0;
    const double perWrite = writeAccesses / 256.0, minWrite = writeMinimum / 256.0;
    std::printf("bitbang_read_port_accesses: %.1f accesses\n", perRead);
    std::printf("bitbang_read_minimum: %.1f accesses\n", minRead);
    std::printf("bitbang_read_ratio: %.3f x (target 1.25)\n", perRead / minRead);
    std::printf("bitbang_write_port_accesses: %.1f accesses\n", perWrite);
    std::printf("bitbang_write_minimum: %.1f accesses\n", minWrite);
    std::printf("bitbang_write_ratio: %.3f x (target 1.25)\n", perWrite / minWrite);
    std::printf("bitbang_violations_at_240: %zu count\n", wires.violations().size());

    const auto begin = std::chrono::steady_clock::now();
    long transactions = 0;
    const int64_t busBefore = wires.busTimeNs();
    while (std::chrono::steady_clock::now() - begin < std::chrono::milliseconds(500)) {
        for (int i = 0; i < 100; ++i)
            p.readByteData(0x98, 0xFE);
        transactions += 100;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("bitbang_sim_transactions_per_second: %.0f per s\n", transactions / seconds);
    std::printf("bitbang_bus_time_per_read: %.1f us\n", (wires.busTimeNs() - busBefore) / 1000.0 / transactions);
    return 0;
}
