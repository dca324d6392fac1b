#include "component/backend.h"
#include "component/buserror.h"

namespace ort {

std::unique_ptr<Backend> createLinuxBackend()
{
    throw BusError("The Linux hardware backend (ORT310_BUS=linux) is not part of this build yet; "
                   "unset ORT310_BUS to run on the simulated board");
}

} // namespace ort
