#include "component/sim/simchip.h"

#include <algorithm>
#include <cmath>

namespace ort::sim {

namespace {
int8_t asSigned(uint8_t b) { return static_cast<int8_t>(b); }
} // namespace

TemperatureProfile constantTemperature(double celsius)
{
    return [celsius](double) { return celsius; };
}

TemperatureProfile defaultLocalProfile()
{
    return [](double t) { return 28.0 + 1.5 * std::sin(2 * M_PI * t / 600.0); };
}

TemperatureProfile defaultRemoteProfile()
{
    // Starts near the bottom so that the first minute shows a rise.
    return riseAndFall(20.0, 100.0, 120.0);
}

TemperatureProfile riseAndFall(double start, double end, double period)
{
    // As the middle less a cosine, so that the default board's readings stay
    // the same to the last bit.
    const double middle = (start + end) / 2, half = (end - start) / 2;
    return [=](double t) { return middle - half * std::cos(2 * M_PI * t / period); };
}

TemperatureProfile throughPoints(std::vector<std::pair<double, double>> points)
{
    return [points = std::move(points)](double t) {
        const auto after = std::upper_bound(points.begin(), points.end(), t,
                                            [](double time, const auto &point) { return time < point.first; });
        if (after == points.begin())
            return points.front().second;
        if (after == points.end())
            return points.back().second;
        const auto &[t0, c0] = *(after - 1);
        const auto &[t1, c1] = *after;
        return c0 + (c1 - c0) * (t - t0) / (t1 - t0);
    };
}

Scenario Scenario::defaultBoard()
{
    Scenario s;
    PortSetup port;
    port.base = 0x378;
    port.chips.push_back(ChipSetup{});
    s.ports.push_back(port);
    ChipSetup onBoard;
    onBoard.address7 = 0x18;
    s.smbus.chips.push_back(onBoard);
    return s;
}

SimChip::SimChip(const ChipSetup &setup, const Clock &clock, uint32_t seed)
    : m_setup(setup), m_clock(clock), m_rng(seed), m_origin(clock.now()), m_config(setup.configuration),
      m_rate(setup.conversionRate), m_localHigh(setup.localHigh), m_localLow(setup.localLow),
      m_remoteHigh(setup.remoteHigh), m_remoteLow(setup.remoteLow)
{
    // Power-on: the registers already hold a first reading.
    completeConversion(m_origin);
    m_conversions = 0;
    m_nextStart = m_origin + conversionPeriod(m_rate);
}

double SimChip::conversionPeriod(uint8_t rateCode)
{
    const int n = std::min<int>(rateCode, 7);
    return 1.0 / (0.0625 * std::ldexp(1.0, n));
}

uint8_t SimChip::toByte(double celsius)
{
    const long v = std::lround(std::clamp(celsius, -128.0, 127.0));
    return static_cast<uint8_t>(static_cast<int8_t>(v));
}

void SimChip::startConversion(double at)
{
    m_converting = true;
    m_conversionEnd = at + ConversionTime;
}

void SimChip::completeConversion(double at)
{
    m_converting = false;
    const double t = at - m_origin;
    m_local = toByte(m_setup.local(t) + m_setup.noise * m_noise(m_rng));
    m_remote = m_setup.openRemoteDiode ? 0x7F : toByte(m_setup.remote(t) + m_setup.noise * m_noise(m_rng));
    uint8_t flags = 0;
    if (asSigned(m_local) > asSigned(m_localHigh))
        flags |= 0x40;
    if (asSigned(m_local) < asSigned(m_localLow))
        flags |= 0x20;
    if (!m_setup.openRemoteDiode) {
        if (asSigned(m_remote) > asSigned(m_remoteHigh))
            flags |= 0x10;
        if (asSigned(m_remote) < asSigned(m_remoteLow))
            flags |= 0x08;
    } else {
        flags |= 0x04;
    }
    if (flags)
        m_alertReleased = false;
    m_flags |= flags;
    ++m_conversions;
}

void SimChip::update()
{
    const double now = m_clock.now();
    // No shortcut over a long pause: a flag latched by any conversion in it
    // must still be seen, and the noise must follow the same sequence.
    for (;;) {
        if (m_converting) {
            if (m_conversionEnd > now)
                return;
            completeConversion(m_conversionEnd);
            continue;
        }
        if (standby() || m_nextStart > now)
            return;
        startConversion(m_nextStart);
        m_nextStart += conversionPeriod(m_rate);
    }
}

bool SimChip::beginTransfer()
{
    if (m_setup.nackAfterTransfers >= 0 && m_transfers >= m_setup.nackAfterTransfers)
        return false;
    ++m_transfers;
    return true;
}

uint8_t SimChip::peek(uint8_t reg)
{
    update();
    if (const auto fixed = m_setup.fixedReads.find(reg); fixed != m_setup.fixedReads.end())
        return fixed->second;
    switch (reg) {
    case 0x00: return m_local;
    case 0x01: return m_remote;
    case 0x02: return static_cast<uint8_t>((m_converting ? 0x80 : 0) | m_flags);
    case 0x03: return m_config;
    case 0x04: return m_rate;
    case 0x05: return m_localHigh;
    case 0x06: return m_localLow;
    case 0x07: return m_remoteHigh;
    case 0x08: return m_remoteLow;
    case 0xFE: return ManufacturerId;
    case 0xFF: return DieRevision;
    default: return 0x00;
    }
}

uint8_t SimChip::read()
{
    const uint8_t value = peek(m_pointer);
    if (m_pointer == 0x02)
        m_flags = 0;
    return value;
}

bool SimChip::write(uint8_t value)
{
    if (m_setup.failingWrite)
        return false;
    update();
    const double now = m_clock.now();
    switch (m_pointer) {
    case 0x09: {
        const bool wasStandby = standby();
        m_config = value;
        if (wasStandby && !standby() && !m_converting)
            m_nextStart = now;
        break;
    }
    case 0x0A:
        m_rate = value;
        // A faster rate takes effect at once, a slower one after the next conversion.
        m_nextStart = std::min(m_nextStart, now + conversionPeriod(m_rate));
        break;
    case 0x0B: m_localHigh = value; break;
    case 0x0C: m_localLow = value; break;
    case 0x0D: m_remoteHigh = value; break;
    case 0x0E: m_remoteLow = value; break;
    case 0x0F:
        if (standby() && !m_converting)
            startConversion(now);
        break;
    default:
        break; // read-only or unknown: acknowledged and ignored
    }
    return true;
}

bool SimChip::alertAsserted()
{
    update();
    return m_flags != 0 && (m_config & 0x80) == 0 && !m_alertReleased;
}

std::optional<uint8_t> SimChip::respondToAlert()
{
    if (!alertAsserted())
        return std::nullopt;
    m_alertReleased = true;
    return static_cast<uint8_t>(m_setup.address7 << 1);
}

} // namespace ort::sim
