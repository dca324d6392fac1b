#include "component/backend.h"
#include "component/buserror.h"
#include "component/sim/simbackend.h"

namespace ort {

std::unique_ptr<Backend> createLinuxBackend();

std::unique_ptr<Backend> createBackend(const std::string &name)
{
    if (name == "sim")
        return std::make_unique<sim::SimBackend>(sim::Scenario::defaultBoard());
    if (name == "linux")
        return createLinuxBackend();
    throw BusError("Unknown bus backend \"" + name + "\" in ORT310_BUS (use sim or linux)");
}

} // namespace ort
