#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ort::sim {

// Temperature in degrees Celsius as a function of the board's time in seconds.
using TemperatureProfile = std::function<double(double)>;

TemperatureProfile constantTemperature(double celsius);
// Drifts slowly around 28 degrees.
TemperatureProfile defaultLocalProfile();
// Rises and falls between about 20 and 100 degrees over about two minutes.
TemperatureProfile defaultRemoteProfile();

struct ChipSetup {
    uint8_t address7 = 0x4C;
    TemperatureProfile local = defaultLocalProfile();
    TemperatureProfile remote = defaultRemoteProfile();
    double noise = 0.3;              // standard deviation in degrees
    bool openRemoteDiode = false;
    bool failingWrite = false;       // data bytes of writes are not acknowledged
    int nackAfterTransfers = -1;     // stops answering after this many transfers
};

struct PortSetup {
    uint16_t base = 0x378;
    bool boardVariant = true;        // the board answers only under this link variant
    std::vector<ChipSetup> chips;
    bool stuckSda = false;           // SDA held low by the board
    int unplugAfterTransfers = -1;   // the whole board goes away after this many transfers
};

struct SmbusSetup {
    bool present = true;
    uint32_t base = 0x5000;
    std::vector<ChipSetup> chips;
};

struct Scenario {
    std::vector<PortSetup> ports;
    SmbusSetup smbus;
    std::string build = "2222";
    uint32_t seed = 1;

    // One printer port at 378h with a chip at 4Ch, and the on-board SMBus
    // at 5000h with a chip at 18h.
    static Scenario defaultBoard();
};

} // namespace ort::sim
