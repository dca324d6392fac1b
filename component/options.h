#pragma once
#include "component/backend.h"
#include "component/clock.h"

#include <memory>
#include <string>
#include <vector>

namespace ort {

namespace sim {
struct Scenario;
}

// The component's own settings, read once at start.
struct ComponentOptions {
    std::string bus = "auto";  // ORT310_BUS: "auto", "sim" or "linux"
    std::string i2cDevice;     // ORT310_I2C: the SMBus adapter to use, "/dev/i2c-N"
    std::string wireTrace;     // ORT310_WIRE_TRACE: a VCD file of the simulated printer-port lines
    std::string board;         // ORT310_BOARD: a file that describes the simulated board...
    // ...and the board it describes, once read (the component reads no files
    // of that kind itself).
    std::shared_ptr<const sim::Scenario> scenario;
};

// The only place the component reads the environment.
ComponentOptions optionsFromEnvironment();

// The names createBackend knows, in the order a user is told them.
std::vector<std::string> backendNames();

// The one place where a backend is chosen by name. "auto" is the Linux
// component where the machine shows a printer port or an SMBus adapter, or
// where an adapter is named; else the simulated board, which then says why.
// A described board is always the simulated one: the default board's place
// is taken by the options' scenario, which must have been read, and the
// adapter named is chosen among its adapters where it has several.
// Throws UnknownBackend for a name backendNames() lacks. The simulated board
// runs on `clock`, the program's own.
std::unique_ptr<Backend> createBackend(const ComponentOptions &options, std::shared_ptr<const Clock> clock);

} // namespace ort
