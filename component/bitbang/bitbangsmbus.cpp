#include "component/bitbang/bitbangsmbus.h"
#include "component/buserror.h"

#include <string>

namespace ort {

void BitBangSmbus::setVariant(bool nonInverting)
{
    if (nonInverting != m_nonInverting)
        m_known = false;   // the same data bits now mean other line levels
    m_nonInverting = nonInverting;
}

void BitBangSmbus::setBusParameter(int parameter)
{
    if (parameter <= 0)
        throw BusError("Invalid bus parameter " + std::to_string(parameter));
    m_parameter = parameter;
}

void BitBangSmbus::drive(bool scl, bool sda)
{
    if (m_known && scl == m_scl && sda == m_sda)
        return;
    const bool sclBit = m_nonInverting ? scl : !scl;
    const bool sdaBit = m_nonInverting ? sda : !sda;
    m_port.writeData(static_cast<uint8_t>(m_otherBits | (sclBit ? SclBit : 0) | (sdaBit ? SdaBit : 0)));
    m_scl = scl;
    m_sda = sda;
    m_known = true;
}

bool BitBangSmbus::readSda()
{
    const bool bit = m_port.readStatus() & SdaStatusBit;
    return m_nonInverting ? bit : !bit;
}

void BitBangSmbus::writeData(uint8_t value)
{
    // A raw write moves the lines too; the shadow follows it.
    m_port.writeData(value);
    m_otherBits = value & ~(SclBit | SdaBit);
    const bool scl = value & SclBit, sda = value & SdaBit;
    m_scl = m_nonInverting ? scl : !scl;
    m_sda = m_nonInverting ? sda : !sda;
    m_known = true;
    m_inTransfer = false;
}

void BitBangSmbus::ensureKnownState()
{
    if (!m_known) {
        drive(true, true);
        return;
    }
    // One line at a time: clock first, so that releasing data is a stop,
    // never a start.
    setScl(true);
    setSda(true);
}

void BitBangSmbus::waitForFreeBus()
{
    ensureKnownState();
    if (readSda())
        return;
    // A slave left in the middle of a byte lets go of SDA within nine clocks;
    // after that, wait for the bus up to the SMBus timeout, never longer.
    const int64_t since = m_port.nowNs();
    for (int i = 0; i < 9; ++i) {
        setScl(false);
        halfPeriod();
        setScl(true);
        halfPeriod();
        if (readSda()) {
            setScl(false);
            setSda(false);
            halfPeriod();
            setScl(true);
            halfPeriod();
            setSda(true);
            halfPeriod();
            return;
        }
    }
    while (m_port.nowNs() - since < BusyTimeoutNs) {
        halfPeriod();
        if (readSda())
            return;
    }
    throw BusError("The SMBus on printer port " + hexByte(m_port.base()) + "h is busy: SDA is held low");
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

void BitBangSmbus::sendAck()
{
    sendBit(false);
}

void BitBangSmbus::stop()
{
    if (!m_inTransfer) {
        ensureKnownState();
        return;
    }
    setSda(false);
    halfPeriod();
    setScl(true);
    halfPeriod();
    setSda(true);
    halfPeriod();
    m_inTransfer = false;
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
