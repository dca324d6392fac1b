#include "component/linux/devices.h"
#include "component/buserror.h"

#include <cerrno>
#include <exception>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/ioctl.h>
#include <unistd.h>

extern "C" {
#include <i2c/smbus.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <linux/ppdev.h>
}

namespace ort::linuxhw {

std::string readText(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> folderEntries(const std::string &path)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(path, ec))
        names.push_back(entry.path().filename().string());
    return names;
}

int openError(const std::string &path)
{
    const int f = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (f < 0)
        return errno;
    close(f);
    return 0;
}

namespace {

std::string trimmed(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    return s;
}

} // namespace

// ---- ppdev

PpdevPort::~PpdevPort()
{
    if (m_fd >= 0) {
        ioctl(m_fd, PPRELEASE);
        close(m_fd);
    }
}

int PpdevPort::fd()
{
    if (m_fd >= 0)
        return m_fd;
    const int f = open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (f < 0)
        throw BusError(deviceErrorText(errno, m_path, "open"));
    if (ioctl(f, PPCLAIM) < 0) {
        const int e = errno;
        close(f);
        throw BusError(deviceErrorText(e, m_path, "claim"));
    }
    m_fd = f;
    return m_fd;
}

unsigned char PpdevPort::transfer(unsigned long request, unsigned char value, const char *action)
{
    if (ioctl(fd(), request, &value) < 0)
        throw BusError(deviceErrorText(errno, m_path, action));
    return value;
}

void PpdevPort::writeData(uint8_t value)
{
    transfer(PPWDATA, value, "write the data lines of");
}

uint8_t PpdevPort::readData()
{
    return transfer(PPRDATA, 0, "read the data lines of");
}

uint8_t PpdevPort::readStatus()
{
    return transfer(PPRSTATUS, 0, "read the status lines of");
}

void PpdevPort::writeControl(uint8_t value)
{
    transfer(PPWCONTROL, value, "write the control lines of");
}

int64_t PpdevPort::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PpdevPort::wait(int64_t nanoseconds)
{
    // Microsecond waits: a sleep would overshoot by the scheduler's slack.
    const int64_t until = nowNs() + nanoseconds;
    while (nowNs() < until) {
    }
}

// ---- i2c-dev

I2cDevHost::~I2cDevHost()
{
    if (m_fd >= 0)
        close(m_fd);
}

int I2cDevHost::addressed(uint8_t address7)
{
    if (m_fd < 0) {
        m_fd = open(m_adapter.path().c_str(), O_RDWR | O_CLOEXEC);
        if (m_fd < 0)
            throw BusError(deviceErrorText(errno, m_adapter.path(), "open"));
        m_address = -1;
    }
    if (m_address != address7) {
        if (ioctl(m_fd, I2C_SLAVE, static_cast<long>(address7)) < 0) {
            if (errno == EBUSY)
                throw BusError("The device at " + hexDigits(address7) + "h on " + m_adapter.path() +
                               " is in use by a driver of the system");
            throw BusError(deviceErrorText(errno, m_adapter.path(), "address a device on"));
        }
        m_address = address7;
    }
    return m_fd;
}

uint8_t I2cDevHost::readByteData(uint8_t address7, uint8_t reg)
{
    const int32_t v = i2c_smbus_read_byte_data(addressed(address7), reg);
    if (v < 0)
        std::rethrow_exception(smbusFailure(errno, address7, m_adapter.path(), "read from"));
    return static_cast<uint8_t>(v);
}

void I2cDevHost::writeByteData(uint8_t address7, uint8_t reg, uint8_t value)
{
    if (i2c_smbus_write_byte_data(addressed(address7), reg, value) < 0)
        std::rethrow_exception(smbusFailure(errno, address7, m_adapter.path(), "write to"));
}

Adapter probeAdapter(int number, const std::string &ioports, const std::string &root)
{
    Adapter a;
    a.number = number;
    const std::string sys = root + "/sys/class/i2c-dev/i2c-" + std::to_string(number);
    a.name = trimmed(readText(sys + "/name"));
    if (auto base = baseFromAdapterName(a.name)) {
        a.base = *base;
    } else {
        std::error_code ec;
        const auto driver = std::filesystem::read_symlink(sys + "/device/driver", ec);
        if (!ec)
            a.base = ioportsStart(ioports, driver.filename().string()).value_or(0);
    }
    const int f = open((root + a.path()).c_str(), O_RDWR | O_CLOEXEC);
    if (f < 0) {
        a.openError = errno;
        return a;
    }
    a.opened = true;
    unsigned long funcs = 0;
    if (ioctl(f, I2C_FUNCS, &funcs) == 0)
        a.byteData = (funcs & I2C_FUNC_SMBUS_BYTE_DATA) == I2C_FUNC_SMBUS_BYTE_DATA;
    close(f);
    return a;
}

std::vector<int> printerPortNumbers(const std::vector<std::string> &devEntries, const std::string &root)
{
    std::vector<std::string> names = devEntries;
    const std::vector<std::string> listed = folderEntries(root + "/proc/sys/dev/parport");
    names.insert(names.end(), listed.begin(), listed.end());
    return deviceNumbers(names, "parport");
}

std::vector<Adapter> probeAdapters(const std::vector<std::string> &devEntries, const std::string &root)
{
    const std::string ioports = readText(root + "/proc/ioports");
    std::vector<Adapter> adapters;
    for (int n : deviceNumbers(devEntries, "i2c-"))
        adapters.push_back(probeAdapter(n, ioports, root));
    return adapters;
}

int systemAdapterCount(const std::string &root)
{
    return static_cast<int>(deviceNumbers(folderEntries(root + "/sys/class/i2c-adapter"), "i2c-").size());
}

} // namespace ort::linuxhw
