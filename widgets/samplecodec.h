#pragma once
#include "widgets/bitstream.h"

#include <cstdint>

namespace ort {

// The codes of a trace's samples after the first of a block: each sample is
// written as the change of its time step (one bit when the step repeats) and
// of its value (one bit when it repeats, ten for a change of a whole degree or
// so). Writer and reader keep the same running state, the last sample and its
// step, and move it on by one sample per code.
class SampleCodec {
public:
    // A block's first sample is kept whole, outside the stream; the step
    // counts from zero again after it.
    void start(long long ms, float value)
    {
        m_ms = ms;
        m_step = 0;
        m_value = value;
    }
    void write(BitStream &out, long long ms, float value);
    // Reads the sample written from bit `at` on, and moves `at` past it.
    void read(const BitStream &in, uint64_t &at);

    long long ms() const { return m_ms; }
    float value() const { return m_value; }

private:
    long long m_ms = 0;
    long long m_step = 0;
    float m_value = 0;
};

} // namespace ort
