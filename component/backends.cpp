#include "component/buserror.h"
#include "component/options.h"
#include "component/sim/simbackend.h"

#include <cstdlib>

namespace ort {

std::unique_ptr<Backend> createLinuxBackend(const std::string &wantedAdapter);

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
    return options;
}

std::unique_ptr<Backend> createBackend(const ComponentOptions &options, std::shared_ptr<const Clock> clock)
{
    if (options.bus == "sim")
        return std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard(), std::move(clock), options.wireTrace);
    if (options.bus == "linux")
        return createLinuxBackend(options.i2cDevice);
    throw UnknownBackend(options.bus);
}

} // namespace ort
