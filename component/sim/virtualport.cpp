#include "component/sim/virtualport.h"
#include "component/bitbang/bitbangsmbus.h"

#include "component/buserror.h"

#include <cstdlib>

namespace ort::sim {

namespace {

// ORT310_WIRE_TRACE names the dump file; ports after the first get their
// base appended, so that traces never overwrite each other.
std::unique_ptr<VcdTrace> traceFor(uint16_t base, int index)
{
    const char *path = std::getenv("ORT310_WIRE_TRACE");
    if (!path || !*path)
        return nullptr;
    std::string name = path;
    if (index > 0)
        name += "." + hexByte(base) + "h";
    auto trace = std::make_unique<VcdTrace>(name);
    return trace->isOpen() ? std::move(trace) : nullptr;
}

} // namespace

VirtualParallelPort::VirtualParallelPort(const PortSetup &setup, SimBus &bus, int index) : m_setup(setup), m_wire(bus)
{
    m_wire.setStuckSda(setup.stuckSda);
    m_wire.setTrace(traceFor(setup.base, index));
}

void VirtualParallelPort::writeData(uint8_t value)
{
    ++m_counts.dataWrites;
    m_timeNs += AccessNs;
    m_data = value;
    const bool sclBit = value & BitBangSmbus::SclBit, sdaBit = value & BitBangSmbus::SdaBit;
    // Non-inverting buffers pass a 1 as a released line; inverting ones
    // pull the line low for a 1.
    const bool same = m_setup.boardVariant;
    m_wire.masterDrive(m_timeNs, same ? sclBit : !sclBit, same ? sdaBit : !sdaBit);
}

uint8_t VirtualParallelPort::readStatus()
{
    ++m_counts.statusReads;
    m_timeNs += AccessNs;
    const bool line = m_wire.sda();
    const bool bit = m_setup.boardVariant ? line : !line;
    return bit ? BitBangSmbus::SdaStatusBit : 0;
}

void VirtualParallelPort::writeControl(uint8_t value)
{
    ++m_counts.controlWrites;
    m_timeNs += AccessNs;
    m_control = value;
}

} // namespace ort::sim
