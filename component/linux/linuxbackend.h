#pragma once
#include "component/backend.h"

#include <memory>
#include <string>

namespace ort {

// The machine's own printer ports (/dev/parportN through ppdev) and SMBus
// adapter (/dev/i2c-N through libi2c): the first adapter with byte-data
// support, or the one named by `wantedAdapter`. Starts without devices too;
// what is missing is then said when it is used.
std::unique_ptr<Backend> createLinuxBackend(const std::string &wantedAdapter);

} // namespace ort
