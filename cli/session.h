#pragma once
#include "cli/invocation.h"
#include "link/declare.h"
#include "link/linknewcomport.h"
#include "link/chipaddress.h"
#include "search/devicesearch.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace ort {
class BusAccessServer;
}

namespace ort::cli {

// No chip where the tool looked: a bus failure to the user (status 1).
class NoChipFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The wizard's search, limited to what the target leaves: its route, port
// and address. Entries come as the results list shows them, printer-port
// finds first.
std::vector<ResultEntry> searchChips(BusAccessServer &bus, const Target &target);

// "printer", "smbus": a route as the tool's options and records name it.
QString routeName(Route route);

// An entry's text as the results list shows it, without the tag that is
// pushed far to its right.
QString shownText(const QString &entryText);

// Why a search may have come back empty, from the component: one sentence
// per medium it could not use.
std::vector<std::string> componentProblems(BusAccessServer &bus, const Target &target);

// "No ORT310 was found at 4Ch on the SMBus. Please check all connections
// and try again" (or, for a scan, what the wizard says when its search
// finds nothing), and what the component could not use.
enum class NoChipWords { Target, Search };
std::string noChipText(BusAccessServer &bus, const Target &target, NoChipWords words = NoChipWords::Target);

// "the ORT310 at 4Ch on printer port 378h", "... on the SMBus (/dev/i2c-3)",
// and "of the simulated board" where it is one; the adapter is the
// component's.
QString chipDescription(BusAccessServer &bus, const ChipAddress &chip);

// One chip, connected as Finish connects it, and reached through the
// register link, as the window reaches it.
class Session {
public:
    // Searches for the target and connects the first chip found; throws
    // NoChipFound, naming what the component could not use.
    Session(BusAccessServer &bus, const Target &target);

    uint8_t read(uint8_t reg);
    void write(uint8_t reg, int value);

    BusAccessServer &bus() { return m_bus; }
    Declare &state() { return m_state; }
    const Declare &state() const { return m_state; }
    LinkNewComPort &link() { return m_link; }
    const ChipAddress &chip() const { return m_chip; }
    bool printerRoute() const { return m_chip.onPrinterPort(); }
    uint8_t address7() const { return m_chip.address7; }
    // "the ORT310 at 4Ch on printer port 378h", "... on the SMBus (/dev/i2c-3)".
    QString description() const;

private:
    BusAccessServer &m_bus;
    Declare m_state;
    LinkNewComPort m_link;
    ChipAddress m_chip;
};

} // namespace ort::cli
