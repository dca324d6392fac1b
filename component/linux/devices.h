#pragma once
#include "component/backend.h"
#include "component/bitbang/parallelport.h"
#include "component/linux/sysinfo.h"

#include <string>
#include <vector>

// The thin device layer: each method is one system call and its error.
namespace ort::linuxhw {

// A printer port through ppdev, claimed on first use and released at the end.
class PpdevPort final : public ParallelPort {
public:
    PpdevPort(std::string path, uint16_t base) : m_path(std::move(path)), m_base(base) {}
    ~PpdevPort() override;
    PpdevPort(const PpdevPort &) = delete;
    PpdevPort &operator=(const PpdevPort &) = delete;

    void writeData(uint8_t value) override;
    uint8_t readData() override;
    uint8_t readStatus() override;
    void writeControl(uint8_t value) override;
    void wait(int64_t nanoseconds) override;
    int64_t nowNs() override;
    uint16_t base() const override { return m_base; }

private:
    int fd();
    // One ioctl that passes a byte each way.
    unsigned char transfer(unsigned long request, unsigned char value, const char *action);
    std::string m_path;
    uint16_t m_base;
    int m_fd = -1;
};

// The SMBus host through an i2c-dev adapter and libi2c.
class I2cDevHost final : public SmbusTransport {
public:
    explicit I2cDevHost(Adapter adapter) : m_adapter(std::move(adapter)) {}
    ~I2cDevHost() override;
    I2cDevHost(const I2cDevHost &) = delete;
    I2cDevHost &operator=(const I2cDevHost &) = delete;

    uint8_t readByteData(uint8_t address7, uint8_t reg) override;
    void writeByteData(uint8_t address7, uint8_t reg, uint8_t value) override;
    uint32_t baseAddress() override { return m_adapter.base; }
    const Adapter &adapter() const { return m_adapter; }

private:
    int addressed(uint8_t address7);
    Adapter m_adapter;
    int m_fd = -1;
    int m_address = -1;
};

// `root` is where the system's /dev, /sys and /proc are: the machine's own
// by default, a tree of a test's own that mimics them otherwise. Texts for
// the user name the device nodes as the machine has them.

// Reads what an adapter is: its name, whether it opens, its functions, its base.
Adapter probeAdapter(int number, const std::string &ioports, const std::string &root = {});

// The numbers of the printer ports the kernel has: those with a node in
// /dev (`devEntries`) and those it lists without one (ppdev not loaded).
std::vector<int> printerPortNumbers(const std::vector<std::string> &devEntries, const std::string &root = {});
// Every /dev/i2c-N of `devEntries`, probed.
std::vector<Adapter> probeAdapters(const std::vector<std::string> &devEntries, const std::string &root = {});
// How many adapters the kernel has, device nodes or not.
int systemAdapterCount(const std::string &root = {});

// A whole small file, such as one of /proc or /sys; empty when unreadable.
std::string readText(const std::string &path);
// The names of the entries of a folder (/dev), empty when it cannot be read.
std::vector<std::string> folderEntries(const std::string &path);
// errno of an attempt to open a device node read and write, 0 when it opens.
int openError(const std::string &path);

} // namespace ort::linuxhw
