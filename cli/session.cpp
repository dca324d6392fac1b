#include "cli/session.h"
#include "cli/values.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "link/chip.h"
#include "link/text.h"

namespace ort::cli {

namespace {

// The index of the printer port at `base`, or -1.
int portIndexOf(BusAccessServer &bus, uint16_t base)
{
    try {
        const int count = bus.PrinterPort().PortCount();
        for (int p = 0; p < count; ++p) {
            bus.PrinterPort().SelectPort(static_cast<uint8_t>(p));
            if (bus.PrinterPort().PortAddress() == base)
                return p;
        }
    } catch (const BusError &) {
    }
    return -1;
}

QString whereText(const Target &target)
{
    QString where;
    if (target.address7)
        where += QStringLiteral(" at ") + hexWithSuffix(*target.address7);
    if (target.portBase)
        where += QStringLiteral(" on printer port ") + hexWithSuffix(*target.portBase);
    else if (target.route == Route::Printer)
        where += QStringLiteral(" on a printer port");
    else if (target.route == Route::Smbus)
        where += QStringLiteral(" on the SMBus");
    return where;
}

} // namespace

QString shownText(const QString &entryText)
{
    // The tag stands after a long run of blanks; the text itself has none.
    const qsizetype tag = entryText.indexOf(QStringLiteral("   "));
    return tag < 0 ? entryText : entryText.left(tag);
}

std::vector<Found> searchChips(BusAccessServer &bus, const Target &target)
{
    int wantedPort = -1;
    if (target.portBase) {
        wantedPort = portIndexOf(bus, *target.portBase);
        if (wantedPort < 0)
            return {};
    }
    DeviceSearch search(bus);
    CandidateList candidates = BuildCandidateAddresses();
    if (target.address7) {
        candidates.fill(0);
        candidates[0] = static_cast<uint8_t>(*target.address7 << 1);
    }
    search.setCandidates(candidates);
    if (target.route != Route::Smbus)
        search.SearchPrinterPorts();
    if (target.route != Route::Printer)
        search.SearchOnBoardSmbus();

    const std::vector<ResultEntry> entries = search.listEntries();
    const size_t printerCount = search.printerFinds().size();
    std::vector<Found> found;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i < printerCount) {
            const PrinterFind &find = search.printerFinds()[i];
            if (wantedPort < 0 || find.port == wantedPort)
                found.push_back({entries[i], Route::Printer, find});
        } else {
            found.push_back({entries[i], Route::Smbus, {}});
        }
    }
    return found;
}

std::vector<std::string> componentProblems(BusAccessServer &bus, const Target &target)
{
    std::vector<std::string> problems;
    const auto info = bus.createSystemInfo();
    if (target.route != Route::Smbus) {
        for (const std::string &p : info->portProblems())
            problems.push_back(p);
        if (target.portBase && portIndexOf(bus, *target.portBase) < 0)
            problems.push_back("There is no printer port at " + hexWithSuffix(*target.portBase).toStdString());
    }
    if (target.route != Route::Printer)
        if (const std::string p = info->smbusProblem(); !p.empty())
            problems.push_back(p);
    return problems;
}

std::string noChipText(BusAccessServer &bus, const Target &target)
{
    std::string text = "No " + ChipName.toStdString() + " was found" + whereText(target).toStdString() +
                       ". Please check all connections and try again";
    for (const std::string &problem : componentProblems(bus, target))
        text += ".\n" + problem;
    return text;
}

QString chipDescription(BusAccessServer &bus, Route route, uint8_t address7, uint16_t portBase)
{
    QString text = QStringLiteral("the %1 at %2").arg(ChipName, hexWithSuffix(address7));
    if (route == Route::Printer) {
        text += QStringLiteral(" on printer port ") + hexWithSuffix(portBase);
    } else {
        text += QStringLiteral(" on the SMBus");
        if (const std::string adapter = bus.smbusAdapter(); !adapter.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(adapter));
    }
    if (bus.simulated())
        text += QStringLiteral(" of the simulated board");
    return text;
}

Session::Session(BusAccessServer &bus, const Target &target) : m_bus(bus), m_link(m_state, bus)
{
    const std::vector<Found> found = searchChips(bus, target);
    if (found.empty())
        throw NoChipFound(noChipText(bus, target));
    m_chip = found.front();
    if (m_chip.route == Route::Printer)
        connectPrinterPortChip(bus, m_state, m_chip.printer, m_chip.entry.address);
    else
        connectSmbusChip(bus, m_state, m_chip.entry.address);
    m_state.DeviceAddress = m_chip.entry.address;
}

uint8_t Session::read(uint8_t reg)
{
    m_state.RegisterPointer = reg;
    m_link.ReadRegister();
    return static_cast<uint8_t>(m_state.ReadValue);
}

void Session::write(uint8_t reg, int value)
{
    m_state.WriteValue = value;
    m_state.RegisterPointer = reg;
    m_link.WriteRegister();
}

uint8_t Session::address7() const
{
    return printerRoute() ? static_cast<uint8_t>(m_chip.entry.address >> 1) : m_chip.entry.address;
}

QString Session::description() const
{
    return chipDescription(m_bus, m_chip.route, address7(), static_cast<uint16_t>(m_state.PrinterPortBase));
}

} // namespace ort::cli
