#pragma once
#include "base/numbers.h"
#include <stdexcept>
#include <string>

namespace ort {

// A failure reported by the bus access component: a missing acknowledge, a
// device that cannot be opened, a refused operation. The text is the
// component's own and is shown to the user as it stands.
class BusError : public std::runtime_error {
public:
    explicit BusError(const std::string &text) : std::runtime_error(text) {}
};

// A missing acknowledge is a failure of its own kind: the search and the
// clear-alert command treat it as "nobody there" rather than as a fault.
class NoAcknowledge : public BusError {
public:
    explicit NoAcknowledge(const std::string &text) : BusError(text) {}
};

// ORT310_BUS names no backend: the component cannot start at all.
class UnknownBackend : public BusError {
public:
    explicit UnknownBackend(const std::string &name)
        : BusError("Unknown bus backend \"" + name + "\" in ORT310_BUS (use auto, sim or linux)")
    {
    }
};

std::string noAcknowledgeText(unsigned address7);   // "No acknowledge from device at 4Ch"

} // namespace ort
