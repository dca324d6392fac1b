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
    else if (target.route == Route::PrinterPort)
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

QString routeName(Route route)
{
    return route == Route::PrinterPort ? QStringLiteral("printer") : QStringLiteral("smbus");
}

std::vector<ResultEntry> searchChips(BusAccessServer &bus, const Target &target)
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
    if (target.route != Route::PrinterPort)
        search.SearchOnBoardSmbus();

    std::vector<ResultEntry> found;
    for (const ResultEntry &entry : search.listEntries())
        if (!entry.chip.onPrinterPort() || wantedPort < 0 || entry.printer.port == wantedPort)
            found.push_back(entry);
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
    if (target.route != Route::PrinterPort)
        if (const std::string p = info->smbusProblem(); !p.empty())
            problems.push_back(p);
    return problems;
}

std::string noChipText(BusAccessServer &bus, const Target &target, NoChipWords words)
{
    std::string text = words == NoChipWords::Search
                           ? noChipsFoundText().toStdString()
                           : "No " + ChipName.toStdString() + " was found" + whereText(target).toStdString() +
                                 ". Please check all connections and try again";
    for (const std::string &problem : componentProblems(bus, target))
        text += ".\n" + problem;
    return text;
}

QString chipDescription(BusAccessServer &bus, const ChipAddress &chip)
{
    QString text = QStringLiteral("the ") + chip.text();
    if (!chip.onPrinterPort())
        if (const std::string adapter = bus.smbusAdapter(); !adapter.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(adapter));
    if (bus.simulated())
        text += QStringLiteral(" of the simulated board");
    return text;
}

Session::Session(BusAccessServer &bus, const Target &target) : m_bus(bus), m_link(m_state, bus)
{
    const std::vector<ResultEntry> found = searchChips(bus, target);
    if (found.empty())
        throw NoChipFound(noChipText(bus, target));
    connectChip(bus, m_state, found.front());
    m_chip = ChipAddress::connected(m_state, bus);
}

uint8_t Session::read(uint8_t reg)
{
    return m_link.read(reg);
}

void Session::write(uint8_t reg, int value)
{
    m_link.write(reg, value);
}

QString Session::description() const
{
    return chipDescription(m_bus, m_chip);
}

} // namespace ort::cli
