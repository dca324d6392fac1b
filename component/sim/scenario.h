#pragma once
#include "component/builds.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ort::sim {

// Temperature in degrees Celsius as a function of the board's time in seconds.
using TemperatureProfile = std::function<double(double)>;

TemperatureProfile constantTemperature(double celsius);
// Drifts slowly around 28 degrees.
TemperatureProfile defaultLocalProfile();
// Rises and falls between about 20 and 100 degrees over about two minutes.
TemperatureProfile defaultRemoteProfile();
// From `start` to `end` and back over `period` seconds, repeating, smoothly
// (half a cosine wave each way): the default remote profile is (20, 100, 120).
TemperatureProfile riseAndFall(double start, double end, double period);
// Straight lines between (time, temperature) points, at least one, in time
// order; the first value holds before them, the last after them.
TemperatureProfile throughPoints(std::vector<std::pair<double, double>> points);

struct ChipSetup {
    uint8_t address7 = 0x4C;
    TemperatureProfile local = defaultLocalProfile();
    TemperatureProfile remote = defaultRemoteProfile();
    double noise = 0.3;              // standard deviation in degrees
    bool openRemoteDiode = false;
    bool failingWrite = false;       // data bytes of writes are not acknowledged
    int nackAfterTransfers = -1;     // stops answering after this many transfers
    // Registers that read this byte whatever the chip does (a damaged chip,
    // or any status byte a test wants to see).
    std::map<uint8_t, uint8_t> fixedReads;
    // What the registers hold at power-on, as a board configured before the
    // run would have them.
    uint8_t configuration = 0x00;
    uint8_t conversionRate = 0x02;
    uint8_t localHigh = 0x7F, localLow = 0xC9, remoteHigh = 0x7F, remoteLow = 0xC9;
};

struct PortSetup {
    uint16_t base = 0x378;
    bool boardVariant = true;        // the board answers only under this link variant...
    // ...unless its buffers follow the master: whichever level the master
    // leaves both lines at while the bus is idle counts as released, so the
    // board answers under either variant (and a search lists it twice).
    bool answersEitherVariant = false;
    std::vector<ChipSetup> chips;
    bool stuckSda = false;           // SDA held low by the board
    int unplugAfterTransfers = -1;   // the whole board goes away after this many transfers
};

struct SmbusSetup {
    bool present = true;
    uint32_t base = 0x5000;
    std::vector<ChipSetup> chips;
    // How the machine names the adapter where it offers a choice of them
    // ("/dev/i2c-1", "SMBus stub driver").
    std::string device;
    std::string name;
};

struct Scenario {
    std::vector<PortSetup> ports;
    SmbusSetup smbus;
    // Further SMBus adapters; with any, the user chooses among them all.
    std::vector<SmbusSetup> moreSmbus;
    std::string build = BuildWithSmbus;
    // What the component says about devices it cannot use; empty = nothing.
    std::string smbusProblem;
    std::vector<std::string> portProblems;
    uint32_t seed = 1;

    // One printer port at 378h with a chip at 4Ch, and the on-board SMBus
    // at 5000h with a chip at 18h.
    static Scenario defaultBoard();
};

} // namespace ort::sim
