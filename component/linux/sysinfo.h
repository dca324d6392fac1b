#pragma once
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

// What the Linux backend reads from the system, as pure functions of the
// texts it reads, so that every rule can be tested without devices.
namespace ort::linuxhw {

// /proc/sys/dev/parport/parportN/base-addr holds the base and the
// extended-port base in decimal ("888\t1912").
std::optional<uint16_t> parseParportBase(const std::string &text);

// What the system shows of one printer-port device node.
struct PortNode {
    std::string path;        // "/dev/parport0"
    std::string baseText;    // its base-addr file
    int openError = 0;       // errno of opening it read and write, 0 when it opens
};
struct UsablePort {
    std::string path;
    uint16_t base = 0;
};
// The ports the program can use, and one sentence for each port that exists
// but cannot be opened (it is not searched: nothing could be found there).
// A port whose base the system does not show cannot be told apart and is
// left out.
struct PortSurvey {
    std::vector<UsablePort> usable;
    std::vector<std::string> problems;
};
PortSurvey surveyPorts(const std::vector<PortNode> &nodes);

// The N of names such as "parport0" or "i2c-3", in increasing order.
std::vector<int> deviceNumbers(const std::vector<std::string> &names, const std::string &prefix);

// The start of the first I/O range in /proc/ioports whose label is `label`
// ("    5000-501f : i801_smbus"), or nothing.
std::optional<uint32_t> ioportsStart(const std::string &ioports, const std::string &label);

// An adapter's I/O base when its name shows one ("SMBus I801 adapter at 5000").
std::optional<uint32_t> baseFromAdapterName(const std::string &name);

struct Adapter {
    int number = 0;
    std::string name;
    bool opened = false;      // the program could open it
    int openError = 0;        // errno when it could not
    bool byteData = false;    // reports SMBus read and write byte-data
    uint32_t base = 0;        // I/O base, 0 when the system shows none
    std::string path() const { return "/dev/i2c-" + std::to_string(number); }
};

// The adapter to use: the one named by --i2c or ORT310_I2C (`wanted`, "/dev/i2c-N"),
// else the first that opens and reports byte-data support. `adapters` are
// the device nodes; `systemAdapters` is how many adapters the kernel has,
// nodes or not. The error text when there is none says why, in a sentence.
struct AdapterChoice {
    std::optional<Adapter> adapter;
    std::string error;
};
AdapterChoice chooseAdapter(const std::vector<Adapter> &adapters, const std::string &wanted, int systemAdapters);
// The usable adapter at an I/O base (not 0), if any.
std::optional<Adapter> adapterAtBase(const std::vector<Adapter> &adapters, uint32_t base);

// What `auto` asks of the machine: whether it shows something the Linux
// component drives, which is a printer port (`printerPorts` counts those
// the kernel lists, with a device node or without) or an SMBus adapter node
// that does byte-data transfers or that the user may not open, so that the
// permission message is shown rather than a simulated board. Where nothing
// is shown, `absence` says what is missing, in a sentence.
struct HardwareShown {
    bool shown = false;
    std::string absence;
};
HardwareShown hardwareShown(int printerPorts, const std::vector<Adapter> &adapters, int systemAdapters);

// A failed system call on a device, as the user should read it: what to do
// about permissions names the group that grants them.
std::string deviceErrorText(int error, const std::string &device, const std::string &action);
// The group that owns a kind of device on Debian ("lp", "i2c").
std::string deviceGroup(const std::string &device);

// The failure of an SMBus transfer that ended with errno `error`: a missing
// acknowledge (NoAcknowledge) for the codes drivers give one (ENXIO,
// EREMOTEIO, and ENODEV from the kernel's SMBus stub and some drivers), else
// a BusError with the system's text.
std::exception_ptr smbusFailure(int error, uint8_t address7, const std::string &device, const std::string &action);

} // namespace ort::linuxhw
