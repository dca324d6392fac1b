#pragma once
#include "cli/invocation.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The exporter's readings of the chips and their text for Prometheus (the
// text exposition format 0.0.4), as pure functions. Written by hand: Debian
// has no client library for C++, and the format is a few lines of text.

namespace ort::cli {

// The labels of every series of one chip. Empty ones are left out: a chip
// the search did not find has only what the user named.
struct ChipPlace {
    QString route;     // "printer" or "smbus"
    QString port;      // a printer port's I/O base: "378"
    QString adapter;   // an SMBus adapter's device node, else its I/O base
    QString address;   // the 7-bit address: "4C"
};

// Why a reading failed, as ort310_read_errors_total's reason.
enum class ReadFailure { NoAcknowledge, Bus, Count };

struct ChipReading {
    ChipPlace place;
    // False for the stand-in that says no chip was found: it has only
    // ort310_chip_up 0.
    bool found = true;
    bool up = false;
    // The last reading's values; shown only while the chip is up.
    int local = 0;
    int remote = 0;
    std::array<int, LimitCount> limits{};
    uint8_t status = 0;
    bool alert = false;
    double conversionsPerSecond = 0;
    uint64_t reads = 0;
    std::array<uint64_t, static_cast<size_t>(ReadFailure::Count)> failures{};
    std::optional<double> lastReadUnixSeconds;
};

// "text/plain; version=0.0.4; charset=utf-8"
extern const QByteArray ExpositionContentType;

// Every metric family once, each with its HELP and TYPE, the chips' series
// in the order given.
QByteArray exposition(const std::vector<ChipReading> &chips);

// A label value as the format quotes it: backslash, double quote and line
// feed escaped.
QString escapedLabelValue(const QString &value);

} // namespace ort::cli
