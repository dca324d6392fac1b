#include "component/backend.h"
#include "component/bitbang/bitbangsmbus.h"
#include "component/buserror.h"
#include "component/linux/devices.h"
#include "component/linux/sysinfo.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ort {

namespace {

using namespace linuxhw;

std::string readText(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> devNames()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator("/dev", ec))
        names.push_back(entry.path().filename().string());
    return names;
}

// Without an adapter, the SMBus fails when used, with the reason found.
class NoSmbus final : public SmbusTransport {
public:
    explicit NoSmbus(std::string why) : m_why(std::move(why)) {}
    uint8_t readByteData(uint8_t, uint8_t) override { throw BusError(m_why); }
    void writeByteData(uint8_t, uint8_t, uint8_t) override { throw BusError(m_why); }
    uint32_t baseAddress() override { return 0; }

private:
    std::string m_why;
};

class LinuxBackend final : public Backend {
public:
    LinuxBackend(const std::string &wantedAdapter)
    {
        const std::vector<std::string> names = devNames();
        for (int n : deviceNumbers(names, "parport")) {
            const auto base = parseParportBase(readText("/proc/sys/dev/parport/parport" + std::to_string(n) + "/base-addr"));
            if (!base)
                continue;   // a port whose address the system does not show cannot be told apart
            auto port = std::make_unique<Port>("/dev/parport" + std::to_string(n), *base);
            m_ports.push_back(std::move(port));
        }
        const std::string ioports = readText("/proc/ioports");
        for (int n : deviceNumbers(names, "i2c-"))
            m_adapters.push_back(probeAdapter(n, ioports));
        const AdapterChoice choice = chooseAdapter(m_adapters, wantedAdapter);
        if (choice.adapter)
            m_smbus = std::make_unique<I2cDevHost>(*choice.adapter);
        else
            m_smbus = std::make_unique<NoSmbus>(choice.error);
        m_smbusReason = choice.error;
    }

    std::string name() const override { return "linux"; }
    std::string description() const override
    {
        std::string text = "This program is using this machine's hardware: " + std::to_string(m_ports.size()) +
                           (m_ports.size() == 1 ? " printer port" : " printer ports");
        if (auto *host = dynamic_cast<I2cDevHost *>(m_smbus.get()))
            text += " and the SMBus adapter " + host->adapter().path() + " (" + host->adapter().name + ").";
        else
            text += "; no SMBus adapter: " + m_smbusReason + ".";
        return text;
    }
    int portCount() override { return static_cast<int>(m_ports.size()); }
    uint16_t portBase(int index) override
    {
        if (index < 0 || index >= portCount())
            throw BusError("There is no printer port " + std::to_string(index + 1));
        return m_ports[static_cast<size_t>(index)]->device.base();
    }
    PrinterTransport &portAt(uint16_t base) override
    {
        for (auto &p : m_ports)
            if (p->device.base() == base)
                return p->master;
        throw BusError("No printer port at I/O address " + hexByte(base) + "h");
    }
    SmbusTransport &smbus() override { return *m_smbus; }
    // The SMBus option is offered exactly when an adapter can be used.
    std::string buildNumber() override { return dynamic_cast<I2cDevHost *>(m_smbus.get()) ? "2222" : "2195"; }

    bool selectSmbusBase(uint32_t base) override
    {
        if (auto *host = dynamic_cast<I2cDevHost *>(m_smbus.get()); host && host->adapter().base == base)
            return true;
        if (auto adapter = adapterAtBase(m_adapters, base)) {
            m_smbus = std::make_unique<I2cDevHost>(*adapter);
            return true;
        }
        return false;
    }

private:
    struct Port {
        Port(std::string path, uint16_t base) : device(std::move(path), base), master(device) {}
        PpdevPort device;
        BitBangSmbus master;
    };
    std::vector<std::unique_ptr<Port>> m_ports;
    std::vector<Adapter> m_adapters;
    std::unique_ptr<SmbusTransport> m_smbus;
    std::string m_smbusReason;
};

} // namespace

std::unique_ptr<Backend> createLinuxBackend()
{
    const char *wanted = std::getenv("ORT310_I2C");
    return std::make_unique<LinuxBackend>(wanted ? wanted : "");
}

} // namespace ort
