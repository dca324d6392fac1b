#pragma once
#include "component/backend.h"
#include "component/linux/sysinfo.h"

#include <memory>
#include <string>

namespace ort {

// The machine's own printer ports (/dev/parportN through ppdev) and SMBus
// adapters (/dev/i2c-N through libi2c): the first adapter with byte-data
// support, or the one named by `wantedAdapter`, until another is chosen.
// Starts without devices too; what is missing is then said when it is used.
std::unique_ptr<Backend> createLinuxBackend(const std::string &wantedAdapter);

// Whether this machine shows a printer port or an SMBus adapter for the
// Linux component to drive (see linuxhw::hardwareShown).
linuxhw::HardwareShown linuxHardwareShown();

} // namespace ort
