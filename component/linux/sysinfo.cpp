#include "component/linux/sysinfo.h"
#include "base/numbers.h"
#include "component/buserror.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cctype>
#include <sstream>

namespace ort::linuxhw {

std::optional<uint16_t> parseParportBase(const std::string &text)
{
    std::istringstream in(text);
    long value = -1;
    if (!(in >> value) || value <= 0 || value > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

PortSurvey surveyPorts(const std::vector<PortNode> &nodes)
{
    PortSurvey survey;
    for (const PortNode &node : nodes) {
        const auto base = parseParportBase(node.baseText);
        if (!base)
            continue;
        if (node.openError)
            survey.problems.push_back(deviceErrorText(node.openError, node.path, "open"));
        else
            survey.usable.push_back({node.path, *base});
    }
    return survey;
}

std::vector<int> deviceNumbers(const std::vector<std::string> &names, const std::string &prefix)
{
    std::vector<int> out;
    for (const std::string &n : names) {
        if (n.size() <= prefix.size() || n.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = n.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            digits.size() > 6)
            continue;
        out.push_back(std::stoi(digits));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

namespace {

std::string trim(const std::string &s)
{
    const auto begin = s.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

// Hexadecimal digits only, at most eight of them.
std::optional<uint32_t> parseHex(const std::string &text)
{
    if (text.empty() || text.size() > 8 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return hexDigitValue(static_cast<unsigned char>(c)) >= 0; }))
        return std::nullopt;
    return static_cast<uint32_t>(std::stoul(text, nullptr, 16));
}

} // namespace

std::optional<uint32_t> ioportsStart(const std::string &ioports, const std::string &label)
{
    // Lines read "  start-end : label", nested by indentation.
    std::istringstream in(ioports);
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(" : ");
        if (colon == std::string::npos || trim(line.substr(colon + 3)) != label)
            continue;
        const std::string range = trim(line.substr(0, colon));
        if (auto start = parseHex(range.substr(0, range.find('-'))))
            return start;
    }
    return std::nullopt;
}

std::optional<uint32_t> baseFromAdapterName(const std::string &name)
{
    // "... at 5000" or "... at 0x5000", at the very end.
    const std::string text = trim(name);
    const auto at = text.rfind(" at ");
    if (at == std::string::npos)
        return std::nullopt;
    std::string digits = text.substr(at + 4);
    if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0)
        digits = digits.substr(2);
    if (digits.size() < 2)
        return std::nullopt;
    return parseHex(digits);
}

AdapterChoice chooseAdapter(const std::vector<Adapter> &adapters, const std::string &wanted, int systemAdapters)
{
    if (!wanted.empty()) {
        for (const Adapter &a : adapters) {
            if (a.path() != wanted)
                continue;
            if (!a.opened)
                return {std::nullopt, deviceErrorText(a.openError, wanted, "open")};
            if (!a.byteData)
                return {std::nullopt, "The SMBus adapter " + wanted + " (" + a.name +
                                          ") does not support byte-data transfers"};
            return {a, {}};
        }
        return {std::nullopt, "The SMBus adapter " + wanted + " does not exist (is the i2c-dev module loaded?)"};
    }
    for (const Adapter &a : adapters)
        if (a.opened && a.byteData)
            return {a, {}};
    if (adapters.empty() && systemAdapters > 0)
        return {std::nullopt, "The i2c-dev module is not loaded, so the SMBus adapters of this machine cannot be "
                              "used (sudo modprobe i2c-dev)"};
    if (adapters.empty())
        return {std::nullopt, "This machine shows no SMBus adapter"};
    for (const Adapter &a : adapters)
        if (!a.opened && (a.openError == EACCES || a.openError == EPERM))
            return {std::nullopt, deviceErrorText(a.openError, a.path(), "open")};
    return {std::nullopt, "No SMBus adapter supports byte-data transfers"};
}

HardwareShown hardwareShown(int printerPorts, const std::vector<Adapter> &adapters, int systemAdapters)
{
    const bool adapterShown = std::any_of(adapters.begin(), adapters.end(), [](const Adapter &a) {
        return a.opened ? a.byteData : a.openError == EACCES || a.openError == EPERM;
    });
    if (printerPorts > 0 || adapterShown)
        return {true, {}};
    // Without i2c-dev nothing tells an SMBus from a display's DDC bus, so
    // the adapters the kernel has do not count; the reason names the module.
    if (adapters.empty() && systemAdapters > 0)
        return {false, "This machine shows no printer port, and its I2C adapters need the i2c-dev module "
                       "(sudo modprobe i2c-dev)"};
    if (!adapters.empty())
        return {false, "This machine shows no printer port and no SMBus adapter with byte-data transfers"};
    return {false, "This machine shows no printer port and no SMBus adapter"};
}

std::optional<Adapter> adapterAtBase(const std::vector<Adapter> &adapters, uint32_t base)
{
    // 0 is no base: the system shows none for that adapter.
    for (const Adapter &a : adapters)
        if (base != 0 && a.base == base && a.opened && a.byteData)
            return a;
    return std::nullopt;
}

std::string deviceGroup(const std::string &device)
{
    return device.find("i2c") != std::string::npos ? "i2c" : "lp";
}

std::string deviceErrorText(int error, const std::string &device, const std::string &action)
{
    switch (error) {
    case EACCES:
    case EPERM: {
        const std::string group = deviceGroup(device);
        // Short enough for the wizard's medium panel, which shows it; README
        // tells the other way, a udev rule.
        return "Permission denied to " + action + " " + device + ": join the group " + group +
               " (sudo usermod -aG " + group + " $USER, then log in again)";
    }
    case ENOENT:
    case ENODEV:
    case ENXIO:
        if (action == "open")
            return device + " does not exist (is the " +
                   std::string(device.find("i2c") != std::string::npos ? "i2c-dev" : "ppdev") + " module loaded?)";
        break;
    case EBUSY:
        return device + " is in use by another program";
    default:
        break;
    }
    return "Could not " + action + " " + device + ": " + std::strerror(error);
}

std::exception_ptr smbusFailure(int error, uint8_t address7, const std::string &device, const std::string &action)
{
    if (error == ENXIO || error == EREMOTEIO || error == ENODEV)
        return std::make_exception_ptr(NoAcknowledge(noAcknowledgeText(address7)));
    return std::make_exception_ptr(BusError(deviceErrorText(error, device, action)));
}

} // namespace ort::linuxhw
