#pragma once
#include "link/chip.h"
#include "link/chipaddress.h"
#include "link/text.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ort {

class BusAccessServer;

// Ten slots; slots 0..8 hold the 8-bit bus addresses a chip can answer at,
// slot 9 is empty (0).
using CandidateList = std::array<uint8_t, 10>;
CandidateList BuildCandidateAddresses();
constexpr int CandidateSlots = 10;

// Entry texts of the result list: what the user reads, then a tag pushed far
// to the right that Finish reads back.
QString printerEntryText(uint8_t addressByte, uint16_t portBase, int printerNumber);
QString smbusEntryText(uint8_t address7);

// The printer-port number of an entry's tag (1 upwards), or nothing when the
// text carries no printer tag. Numbers 1..9 are " 1".." 9" at the very end;
// 10 and above drop the blank ("Printer10") so the tag still ends the text.
std::optional<int> printerTagNumber(const QString &entry);
// The 7-bit address of an SMBus tag, or nothing.
std::optional<uint8_t> smbusTagAddress(const QString &entry);

// What a search that found nothing says: "Sorry, no ORT310s were found.
// Please check all connections and try again".
QString noChipsFoundText();

// One step of the progress bar: never beyond the maximum.
float advancedProgress(float value, float step, float maximum);

// Progress steps: one per printer port, one per SMBus slot.
constexpr int PrinterPortStep = 33 / 4;
constexpr int SmbusSlotStep = 33 / (CandidateSlots - 1);
constexpr int ProgressPerMedium = 33;

struct PrinterFind {
    uint8_t addressByte;
    uint8_t port;
    bool linkVariant;
};

// An entry of the result list: its text, tag included, the chip it stands
// for and, for a printer-port entry, the port and wiring to connect it by.
struct ResultEntry {
    QString text;
    ChipAddress chip;
    PrinterFind printer{};
};

// Probes the candidate addresses on each medium through the program's one
// component, in the order the contract gives, and keeps the finds. Progress is
// reported through a callback so the caller decides how it is shown.
//
// A probe that the component refuses (BusError: no acknowledge, a stuck bus,
// a port that cannot be opened) means "no chip there" and the search goes on;
// any other exception is a fault of the program and propagates.
class DeviceSearch {
public:
    explicit DeviceSearch(BusAccessServer &bus) : m_bus(bus) {}
    void setCandidates(const CandidateList &candidates) { m_candidates = candidates; }

    void setProgressStep(std::function<void(int step)> step) { m_step = std::move(step); }

    void SearchPrinterPorts();
    void SearchOnBoardSmbus();
    void reset();
    // The finds as the result list shows them, printer-port finds first.
    // The port's base for an entry text is asked of the component; a
    // refusal leaves it 0 and the listing goes on.
    std::vector<ResultEntry> listEntries();

    const std::vector<PrinterFind> &printerFinds() const { return m_printer; }
    const std::vector<uint8_t> &smbusFinds() const { return m_smbus; }
    uint8_t PortFoundCount() const { return static_cast<uint8_t>(m_printer.size()); }
    uint8_t SmbusFoundCount() const { return static_cast<uint8_t>(m_smbus.size()); }

private:
    void probePrinterPass(uint8_t port);
    void advance(int step)
    {
        if (m_step)
            m_step(step);
    }

    BusAccessServer &m_bus;
    CandidateList m_candidates{};
    std::function<void(int)> m_step;
    std::vector<PrinterFind> m_printer;
    std::vector<uint8_t> m_smbus;
};

struct Declare;

// What Finish does with the chosen chip: points the component's route at it
// and sets the shared state's medium, port base and device address. A
// component call that is refused is skipped and the next step runs.
void connectChip(BusAccessServer &bus, Declare &state, const ResultEntry &entry);

} // namespace ort

Q_DECLARE_METATYPE(ort::ResultEntry)
