// A board file's text. A refusal is an answer; any other exception, a crash
// or a sanitizer report is a fault, and so is a board whose temperatures are
// not numbers within what the chip can read.
#include "fuzz/check.h"
#include "link/boardfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void checkProfile(const ort::sim::TemperatureProfile &profile)
{
    for (const double t : {0.0, 0.5, 59.9, 3600.0, 1e7}) {
        const double celsius = profile(t);
        check(std::isfinite(celsius) && celsius >= -128 && celsius <= 127);
    }
}

void checkChips(const std::vector<ort::sim::ChipSetup> &chips)
{
    for (const ort::sim::ChipSetup &chip : chips) {
        checkProfile(chip.local);
        checkProfile(chip.remote);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const ort::sim::Scenario board =
            ort::parseBoard(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), "fuzz.json");
        for (const ort::sim::PortSetup &port : board.ports)
            checkChips(port.chips);
        checkChips(board.smbus.chips);
        for (const ort::sim::SmbusSetup &adapter : board.moreSmbus)
            checkChips(adapter.chips);
    } catch (const ort::BoardFileError &) {
    }
    return 0;
}
