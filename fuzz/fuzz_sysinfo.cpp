// The Linux component's readers of what /proc and /sys show: a printer
// port's base-addr, /proc/ioports, an adapter's name, device folder entries.
// The first line of the input is a label or a name, the rest the file.
#include "component/linux/sysinfo.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ort::linuxhw;
    const std::string text(reinterpret_cast<const char *>(data), size);
    const size_t newline = text.find('\n');
    const std::string first = text.substr(0, newline);
    const std::string rest = newline == std::string::npos ? std::string() : text.substr(newline + 1);

    if (const auto base = parseParportBase(text))
        check(*base != 0);
    ioportsStart(rest, first);
    baseFromAdapterName(text);

    std::vector<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        names.push_back(line);
    for (int n : deviceNumbers(names, "i2c-"))
        check(n >= 0);

    std::vector<PortNode> nodes;
    for (size_t i = 0; i < names.size(); ++i)
        nodes.push_back({"/dev/parport" + std::to_string(i), names[i], static_cast<int>(i % 3 == 2 ? 13 : 0)});
    const PortSurvey survey = surveyPorts(nodes);
    check(survey.usable.size() + survey.problems.size() <= nodes.size());
    return 0;
}
