#pragma once
#include "cli/invocation.h"

#include <cstdio>

namespace ort::cli {

// What the Linux component sees of this machine: printer ports and SMBus
// adapters, who may open them, whether the modules are loaded, and what to
// do. Returns 0 when a printer port or an SMBus adapter can be used, else 1.
int doctor(const Invocation &run, bool json, std::FILE *out);

} // namespace ort::cli
