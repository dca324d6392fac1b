#pragma once
#include "cli/exposition.h"
#include "cli/session.h"
#include "monitor/alerthold.h"

#include <QString>
#include <functional>
#include <vector>

namespace ort {
class BusAccessServer;
}

// The exporter's side of the bus: finds the chips, then reads each of them
// whole at every round, through read transfers only. It is the only user of
// the bus while it lives; the caller runs its rounds from one thread.

namespace ort::cli {

class ChipReader {
public:
    struct Clocks {
        std::function<double()> monotonic;   // seconds, for the alert hold
        std::function<double()> unixTime;    // seconds since 1970, for the scrapes
    };
    // `say` hears of what the user should know, once per change: the chips
    // found or none, a chip that stopped answering and one that came back.
    ChipReader(BusAccessServer &bus, const Target &target, Clocks clocks, std::function<void(const QString &)> say);

    // Searches while no chip is known, then reads every chip once.
    void round();
    const std::vector<ChipReading> &readings() const { return m_readings; }

private:
    struct Chip {
        ResultEntry found;
        uint16_t portBase = 0;
        QString description;
        AlertHold hold;
    };
    void search();
    void read(Chip &chip, ChipReading &reading);

    BusAccessServer &m_bus;
    Target m_target;
    Clocks m_clocks;
    std::function<void(const QString &)> m_say;
    std::vector<Chip> m_chips;
    std::vector<ChipReading> m_readings;
    bool m_toldNone = false;
};

} // namespace ort::cli
