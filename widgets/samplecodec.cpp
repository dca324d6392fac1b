#include "widgets/samplecodec.h"

#include <cmath>
#include <cstring>

namespace ort {

namespace {

// Signed changes are stored as unsigned numbers, small ones small. The sums
// are taken modulo 2^64, so any time comes back as it went in.
uint64_t zigzag(uint64_t v)
{
    return (v << 1) ^ (0 - (v >> 63));
}

uint64_t unzigzag(uint64_t z)
{
    return (z >> 1) ^ (0 - (z & 1));
}

uint32_t bitsOf(float v)
{
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

float floatOf(uint32_t b)
{
    float v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

// The value one whole step away from `previous`, computed the same way when
// writing and when reading.
float stepped(float previous, int step)
{
    return static_cast<float>(static_cast<double>(previous) + step);
}

} // namespace

// A sample is written as
//   time: the change of its step from the one before, zigzagged:
//         0 -> "0", < 16 -> "10" + 4 bits, < 4096 -> "110" + 12 bits,
//         else "111" + 64 bits;
//   value: the same bits -> "0", a whole step of -128..127 -> "10" + 8 bits,
//         else "11" + the 32 bits of the float.
void SampleCodec::write(BitStream &out, long long ms, float value)
{
    const uint64_t step = static_cast<uint64_t>(ms) - static_cast<uint64_t>(m_ms);
    const uint64_t z = zigzag(step - static_cast<uint64_t>(m_step));
    if (z == 0) {
        out.put(0, 1);
    } else if (z < 16) {
        out.put(0b01, 2);
        out.put(z, 4);
    } else if (z < 4096) {
        out.put(0b011, 3);
        out.put(z, 12);
    } else {
        out.put(0b111, 3);
        out.put(z, 64);
    }

    const double change = static_cast<double>(value) - static_cast<double>(m_value);
    if (bitsOf(value) == bitsOf(m_value)) {
        out.put(0, 1);
    } else if (change >= -128 && change <= 127 && change == std::floor(change) &&
               bitsOf(stepped(m_value, static_cast<int>(change))) == bitsOf(value)) {
        out.put(0b01, 2);
        out.put(static_cast<uint8_t>(static_cast<int8_t>(change)), 8);
    } else {
        out.put(0b11, 2);
        out.put(bitsOf(value), 32);
    }
    m_ms = ms;
    m_step = static_cast<long long>(step);
    m_value = value;
}

void SampleCodec::read(const BitStream &in, uint64_t &at)
{
    auto bit = [&] { return in.get(at++, 1) != 0; };
    auto bits = [&](int n) {
        const uint64_t v = in.get(at, n);
        at += static_cast<uint64_t>(n);
        return v;
    };
    uint64_t z = 0;
    if (bit())
        z = !bit() ? bits(4) : !bit() ? bits(12) : bits(64);
    m_step = static_cast<long long>(static_cast<uint64_t>(m_step) + unzigzag(z));
    m_ms = static_cast<long long>(static_cast<uint64_t>(m_ms) + static_cast<uint64_t>(m_step));
    if (bit()) {
        if (!bit())
            m_value = stepped(m_value, static_cast<int8_t>(bits(8)));
        else
            m_value = floatOf(static_cast<uint32_t>(bits(32)));
    }
}

} // namespace ort
