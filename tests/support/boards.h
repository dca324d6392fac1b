#pragma once
#include "component/builds.h"
#include "component/sim/scenario.h"

#include <QString>
#include <QTest>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

// Scenario builders for the simulated board, shared by the tests.
namespace ort::test {

// A chip at a 7-bit address, with the board's moving temperatures.
inline sim::ChipSetup chipAt(uint8_t address7)
{
    sim::ChipSetup c;
    c.address7 = address7;
    return c;
}

// A chip whose temperatures stand still, without noise, so readings are exact.
inline sim::ChipSetup steadyChipAt(uint8_t address7, double local = 25, double remote = 50)
{
    sim::ChipSetup c;
    c.address7 = address7;
    c.local = sim::constantTemperature(local);
    c.remote = sim::constantTemperature(remote);
    c.noise = 0;
    return c;
}

// A printer port with a board that carries chips at these addresses.
inline sim::PortSetup portAt(uint16_t base, const std::vector<uint8_t> &chips = {})
{
    sim::PortSetup p;
    p.base = base;
    for (uint8_t a : chips)
        p.chips.push_back(chipAt(a));
    return p;
}

inline sim::PortSetup portWith(uint16_t base, std::vector<sim::ChipSetup> chips)
{
    sim::PortSetup p;
    p.base = base;
    p.chips = std::move(chips);
    return p;
}

// A machine with these printer ports and chips on its on-board SMBus.
inline sim::Scenario boardWith(std::vector<sim::PortSetup> ports, const std::vector<uint8_t> &smbusChips = {},
                               std::string build = BuildWithSmbus)
{
    sim::Scenario s;
    s.ports = std::move(ports);
    for (uint8_t a : smbusChips)
        s.smbus.chips.push_back(chipAt(a));
    s.build = std::move(build);
    return s;
}

// Runs a test case's body; a component failure that escapes it fails the
// case with the component's text instead of ending the test program.
template <typename Body>
void failOnComponentError(Body &&body, const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    try {
        body();
    } catch (const std::exception &e) {
        QTest::qFail(qPrintable(QStringLiteral("component failure: ") + QString::fromUtf8(e.what())), file, line);
    }
}

} // namespace ort::test
