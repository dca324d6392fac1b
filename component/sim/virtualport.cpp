#include "component/sim/virtualport.h"
#include "component/bitbang/wiring.h"

namespace ort::sim {

VirtualParallelPort::VirtualParallelPort(const PortSetup &setup, const Clock &clock, uint32_t seed,
                                         std::unique_ptr<VcdTrace> trace)
    : m_setup(setup), m_bus(setup.chips, clock, seed), m_wire(m_bus), m_nonInverting(setup.boardVariant)
{
    m_bus.setUnplugAfter(setup.unplugAfterTransfers);
    const bool sclBit = m_data & wiring::SclBit, sdaBit = m_data & wiring::SdaBit;
    m_wire.setInitialState(m_nonInverting ? sclBit : !sclBit, m_nonInverting ? sdaBit : !sdaBit, setup.stuckSda);
    m_wire.setTrace(std::move(trace));
}

VirtualParallelPort::~VirtualParallelPort()
{
    m_wire.flushTrace(m_timeNs);
}

void VirtualParallelPort::access()
{
    m_timeNs += AccessNs;
    m_wire.advance(m_timeNs);
}

void VirtualParallelPort::writeData(uint8_t value)
{
    ++m_counts.dataWrites;
    access();
    m_data = value;
    const bool sclBit = value & wiring::SclBit, sdaBit = value & wiring::SdaBit;
    // A board that follows the master takes the level both lines are left
    // at between transfers as released.
    if (m_setup.answersEitherVariant && sclBit == sdaBit && m_wire.idle())
        m_nonInverting = sclBit;
    // Non-inverting buffers pass a 1 as a released line; inverting ones
    // pull the line low for a 1.
    m_wire.masterDrive(m_timeNs, m_nonInverting ? sclBit : !sclBit, m_nonInverting ? sdaBit : !sdaBit);
}

uint8_t VirtualParallelPort::readData()
{
    ++m_counts.dataReads;
    access();
    return m_data;
}

uint8_t VirtualParallelPort::readStatus()
{
    ++m_counts.statusReads;
    access();
    const bool line = m_wire.sda();
    const bool bit = m_nonInverting ? line : !line;
    return bit ? wiring::SdaStatusBit : 0;
}

void VirtualParallelPort::writeControl(uint8_t value)
{
    ++m_counts.controlWrites;
    access();
    m_control = value;
}

void VirtualParallelPort::wait(int64_t nanoseconds)
{
    m_timeNs += nanoseconds;
    m_wire.advance(m_timeNs);
    // A trace is written out whenever the bus has come to rest.
    if (m_wire.idle() && m_wire.scl() && m_wire.sda())
        m_wire.flushTrace(m_timeNs);
}

} // namespace ort::sim
