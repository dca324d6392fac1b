#include "component/linux/linuxbackend.h"
#include "component/buserror.h"
#include "component/builds.h"
#include "component/linux/devices.h"
#include "component/linux/sysinfo.h"

#include <memory>
#include <string>
#include <vector>

namespace ort {

namespace {

using namespace linuxhw;

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
    explicit LinuxBackend(const std::string &wantedAdapter)
    {
        const std::vector<std::string> names = folderEntries("/dev");
        // A port the kernel lists without a node is reported too: ppdev is
        // missing, and the reason says so.
        std::vector<PortNode> nodes;
        for (int n : printerPortNumbers(names)) {
            const std::string path = "/dev/parport" + std::to_string(n);
            nodes.push_back({path, readText("/proc/sys/dev/parport/parport" + std::to_string(n) + "/base-addr"),
                             openError(path)});
        }
        PortSurvey survey = surveyPorts(nodes);
        for (const UsablePort &port : survey.usable)
            m_ports.push_back(std::make_unique<PpdevPort>(port.path, port.base));
        m_portProblems = std::move(survey.problems);
        m_adapters = probeAdapters(names);
        const AdapterChoice choice = chooseAdapter(m_adapters, wantedAdapter, systemAdapterCount());
        if (choice.adapter)
            m_smbus = std::make_unique<I2cDevHost>(*choice.adapter);
        else
            m_smbus = std::make_unique<NoSmbus>(choice.error);
        m_smbusProblem = choice.error;
    }

    std::string name() const override { return "linux"; }
    std::string description() const override
    {
        std::string text = "This program is using this machine's hardware: " + std::to_string(m_ports.size()) +
                           (m_ports.size() == 1 ? " printer port" : " printer ports");
        const std::vector<Adapter> usable = usableAdapters();
        if (adapterHost() && usable.size() > 1) {
            text += " and the SMBus adapters ";
            for (size_t i = 0; i < usable.size(); ++i)
                text += (i == 0 ? "" : i + 1 < usable.size() ? ", " : " and ") + named(usable[i]);
            text += ".";
        } else if (const I2cDevHost *host = adapterHost()) {
            text += " and the SMBus adapter " + named(host->adapter()) + ".";
        } else {
            text += "; no SMBus adapter: " + m_smbusProblem + ".";
        }
        return text;
    }
    int portCount() override { return static_cast<int>(m_ports.size()); }
    ParallelPort &port(int index) override { return *m_ports.at(static_cast<size_t>(index)); }
    SmbusTransport &smbus() override { return *m_smbus; }
    // The SMBus option is offered exactly when an adapter can be used.
    std::string buildNumber() override { return adapterHost() ? BuildWithSmbus : BuildWithoutSmbus; }
    std::string smbusProblem() override { return adapterHost() ? std::string() : m_smbusProblem; }
    std::vector<std::string> portProblems() override { return m_portProblems; }
    std::string smbusAdapter() const override
    {
        const I2cDevHost *host = adapterHost();
        return host ? host->adapter().path() : std::string();
    }

    std::vector<SmbusAdapterInfo> smbusAdapters() override
    {
        std::vector<SmbusAdapterInfo> out;
        const std::vector<Adapter> usable = usableAdapters();
        if (adapterHost() && usable.size() > 1)
            for (const Adapter &a : usable)
                out.push_back({a.path(), a.name, a.base, a.path() == adapterHost()->adapter().path()});
        return out;
    }

    bool selectSmbusAdapter(const std::string &device) override
    {
        if (!adapterHost())
            return false;
        for (const Adapter &a : usableAdapters()) {
            if (a.path() != device)
                continue;
            if (adapterHost()->adapter().path() != device)
                m_smbus = std::make_unique<I2cDevHost>(a);
            return true;
        }
        return false;
    }

    bool selectSmbusBase(uint32_t base) override
    {
        if (const I2cDevHost *host = adapterHost(); host && host->adapter().base == base)
            return true;
        if (auto adapter = adapterAtBase(m_adapters, base)) {
            m_smbus = std::make_unique<I2cDevHost>(*adapter);
            return true;
        }
        return false;
    }

private:
    static std::string named(const Adapter &a) { return a.path() + " (" + a.name + ")"; }
    std::vector<Adapter> usableAdapters() const
    {
        std::vector<Adapter> out;
        for (const Adapter &a : m_adapters)
            if (a.opened && a.byteData)
                out.push_back(a);
        return out;
    }
    const I2cDevHost *adapterHost() const { return dynamic_cast<const I2cDevHost *>(m_smbus.get()); }

    std::vector<std::unique_ptr<PpdevPort>> m_ports;
    std::vector<std::string> m_portProblems;
    std::vector<Adapter> m_adapters;
    std::unique_ptr<SmbusTransport> m_smbus;
    std::string m_smbusProblem;
};

} // namespace

std::unique_ptr<Backend> createLinuxBackend(const std::string &wantedAdapter)
{
    return std::make_unique<LinuxBackend>(wantedAdapter);
}

linuxhw::HardwareShown linuxHardwareShown()
{
    using namespace linuxhw;
    const std::vector<std::string> dev = folderEntries("/dev");
    return hardwareShown(static_cast<int>(printerPortNumbers(dev).size()), probeAdapters(dev), systemAdapterCount());
}

} // namespace ort
