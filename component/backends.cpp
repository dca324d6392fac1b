#include "component/buserror.h"
#include "component/options.h"
#include "component/sim/simbackend.h"
#ifdef ORT_LINUX_BACKEND
#include "component/linux/linuxbackend.h"
#endif

#include <cstdlib>

namespace ort {

ComponentOptions optionsFromEnvironment()
{
    const auto value = [](const char *name) {
        const char *v = std::getenv(name);
        return std::string(v ? v : "");
    };
    ComponentOptions options;
    if (const std::string bus = value("ORT310_BUS"); !bus.empty())
        options.bus = bus;
    options.i2cDevice = value("ORT310_I2C");
    options.wireTrace = value("ORT310_WIRE_TRACE");
    options.board = value("ORT310_BOARD");
    return options;
}

std::vector<std::string> backendNames()
{
    return {"auto", "sim", "linux"};
}

std::unique_ptr<Backend> createBackend(const ComponentOptions &options, std::shared_ptr<const Clock> clock)
{
    if (!options.board.empty() && !options.scenario)
        throw BusError("The board file " + options.board + " was not read");
    const auto simulatedBoard = [&] {
        return std::make_unique<sim::SimBackend>(options.scenario ? *options.scenario : sim::Scenario::defaultBoard(),
                                                 std::move(clock), options.wireTrace);
    };
    if (options.bus == "sim" || (options.bus == "auto" && options.scenario)) {
        auto board = simulatedBoard();
        if (!options.board.empty())
            board->explainChoice("The board is described by " + options.board);
        // A described board may have several adapters to choose from, as a
        // machine has; the default board has one.
        if (!options.i2cDevice.empty() && board->smbusAdapters().size() > 1 && !board->selectSmbusAdapter(options.i2cDevice))
            throw BusError("The simulated board has no SMBus adapter " + options.i2cDevice);
        return board;
    }
    if (options.bus == "auto") {
#ifdef ORT_LINUX_BACKEND
        // Naming an adapter asks for the hardware, even one that is missing:
        // the medium panel then says what is wrong with it.
        const linuxhw::HardwareShown shown = linuxHardwareShown();
        if (shown.shown || !options.i2cDevice.empty())
            return createLinuxBackend(options.i2cDevice);
        const std::string why = shown.absence;
#else
        const std::string why = "This build has no Linux component";
#endif
        auto board = simulatedBoard();
        board->explainChoice(why);
        return board;
    }
    if (options.bus == "linux") {
#ifdef ORT_LINUX_BACKEND
        return createLinuxBackend(options.i2cDevice);
#else
        throw BusError("This build has no Linux component (it was built without libi2c)");
#endif
    }
    throw UnknownBackend(options.bus);
}

} // namespace ort
