#include "component/bitbang/bitbangsmbus.h"
#include "component/bitbang/wiring.h"
#include "component/buserror.h"

#include <string>

namespace ort {

void BitBangSmbus::checkBusParameter(int parameter)
{
    if (parameter <= 0)
        throw BusError("Invalid bus parameter " + std::to_string(parameter));
}

void BitBangSmbus::setBusParameter(int parameter)
{
    checkBusParameter(parameter);
    m_parameter = parameter;
}

uint8_t BitBangSmbus::data()
{
    if (!m_data)
        m_data = m_port.readData();
    return *m_data;
}

bool BitBangSmbus::released(uint8_t bit)
{
    // The shadow holds bits, not levels: after a change of polarity the same
    // bits mean other levels, and the lines are moved from where they are.
    const bool set = (data() & bit) != 0;
    return m_nonInverting ? set : !set;
}

void BitBangSmbus::drive(bool sclReleased, bool sdaReleased)
{
    const bool sclBit = m_nonInverting ? sclReleased : !sclReleased;
    const bool sdaBit = m_nonInverting ? sdaReleased : !sdaReleased;
    const uint8_t value = static_cast<uint8_t>((data() & ~(wiring::SclBit | wiring::SdaBit)) |
                                               (sclBit ? wiring::SclBit : 0) | (sdaBit ? wiring::SdaBit : 0));
    if (value == *m_data)
        return;
    m_port.writeData(value);
    m_data = value;
}

void BitBangSmbus::setScl(bool sclReleased)
{
    drive(sclReleased, released(wiring::SdaBit));
}

void BitBangSmbus::setSda(bool sdaReleased)
{
    drive(released(wiring::SclBit), sdaReleased);
}

bool BitBangSmbus::readSda()
{
    const bool bit = m_port.readStatus() & wiring::SdaStatusBit;
    return m_nonInverting ? bit : !bit;
}

void BitBangSmbus::writeData(uint8_t value)
{
    m_port.writeData(value);
    m_data = value;
    m_inTransfer = false;
}

void BitBangSmbus::releaseLines()
{
    // One line at a time, clock first: releasing data is then a stop, which
    // ends whatever a slave thought was going on, and never a start. Each
    // after a half-period, as the lines' last change may be recent.
    if (!released(wiring::SclBit)) {
        halfPeriod();
        setScl(true);
    }
    if (!released(wiring::SdaBit)) {
        halfPeriod();
        setSda(true);
        halfPeriod();
    }
}

void BitBangSmbus::stopCondition()
{
    setSda(false);
    halfPeriod();
    setScl(true);
    halfPeriod();
    setSda(true);
    halfPeriod();
    m_inTransfer = false;
}

void BitBangSmbus::waitForFreeBus()
{
    releaseLines();
    if (readSda())
        return;
    // A slave left in the middle of a byte lets go of SDA within nine clocks;
    // after that, wait for the bus up to the SMBus timeout, never longer.
    const int64_t since = m_port.nowNs();
    halfPeriod();
    for (int i = 0; i < 9; ++i) {
        setScl(false);
        halfPeriod();
        setScl(true);
        halfPeriod();
        if (readSda()) {
            setScl(false);
            stopCondition();
            return;
        }
    }
    while (m_port.nowNs() - since < BusyTimeoutNs) {
        halfPeriod();
        if (readSda())
            return;
    }
    throw BusError("The SMBus on printer port " + hexDigits(m_port.base()) + "h is busy: SDA is held low");
}

void BitBangSmbus::start()
{
    if (!m_inTransfer) {
        waitForFreeBus();
        setSda(false);
        halfPeriod();
        setScl(false);
        m_inTransfer = true;
        return;
    }
    // Repeated start, from the low clock phase.
    setSda(true);
    halfPeriod();
    setScl(true);
    halfPeriod();
    setSda(false);
    halfPeriod();
    setScl(false);
}

void BitBangSmbus::sendBit(bool bit)
{
    setSda(bit);
    halfPeriod();
    setScl(true);
    halfPeriod();
    setScl(false);
}

bool BitBangSmbus::receiveBit()
{
    setSda(true);
    halfPeriod();
    setScl(true);
    halfPeriod();
    const bool bit = readSda();
    setScl(false);
    return bit;
}

void BitBangSmbus::sendByte(uint8_t value)
{
    for (int i = 7; i >= 0; --i)
        sendBit((value >> i) & 1);
}

bool BitBangSmbus::receiveAck()
{
    return !receiveBit();
}

uint8_t BitBangSmbus::receiveByte()
{
    uint8_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = static_cast<uint8_t>(value << 1 | (receiveBit() ? 1 : 0));
    return value;
}

void BitBangSmbus::sendNoAck()
{
    sendBit(true);
}

void BitBangSmbus::stop()
{
    if (m_inTransfer)
        stopCondition();
    else
        releaseLines();
}

void BitBangSmbus::failNoAck(uint8_t addressByte)
{
    stop();
    throw NoAcknowledge(noAcknowledgeText(addressByte >> 1));
}

namespace {
// Any failure of the port itself still leaves the bus released.
template <typename F>
auto releasing(BitBangSmbus &bus, F &&f)
{
    try {
        return f();
    } catch (const NoAcknowledge &) {
        throw;
    } catch (...) {
        try {
            bus.stop();
        } catch (...) {
        }
        throw;
    }
}
} // namespace

uint8_t BitBangSmbus::readByteData(uint8_t addressByte, uint8_t reg)
{
    return releasing(*this, [&] {
        const uint8_t write = addressByte & 0xFE;
        start();
        sendByte(write);
        if (!receiveAck())
            failNoAck(write);
        sendByte(reg);
        if (!receiveAck())
            failNoAck(write);
        start();
        sendByte(write | 1);
        if (!receiveAck())
            failNoAck(write);
        const uint8_t value = receiveByte();
        sendNoAck();
        stop();
        return value;
    });
}

void BitBangSmbus::writeByteData(uint8_t addressByte, uint8_t reg, uint8_t value)
{
    releasing(*this, [&] {
        const uint8_t write = addressByte & 0xFE;
        start();
        for (uint8_t byte : {write, reg, value}) {
            sendByte(byte);
            if (!receiveAck())
                failNoAck(write);
        }
        stop();
    });
}

} // namespace ort
