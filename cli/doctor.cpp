#include "cli/doctor.h"
#include "cli/tool.h"
#include "cli/values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#ifdef ORT_LINUX_BACKEND
#include "component/linux/devices.h"
#include "component/linux/sysinfo.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ort::cli {

namespace {

void print(std::FILE *out, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
}

QString words(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

#ifndef ORT_LINUX_BACKEND

int doctor(const Invocation &, bool json, std::FILE *out)
{
    const QString text = QStringLiteral("This build has no Linux component (it was built without libi2c): only the "
                                        "simulated board can be used");
    if (json)
        print(out, QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("linux_component"), false},
                                                               {QStringLiteral("advice"), QJsonArray{text}}})
                                         .toJson(QJsonDocument::Compact)));
    else
        print(out, text);
    return Failed;
}

#else

namespace {

using namespace linuxhw;

struct Node {
    QString group;        // the group that owns the device node
    QString mode;         // "crw-rw----"
    bool member = false;  // the user is root or in that group
};

Node nodeOf(const std::string &path)
{
    Node node;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return node;
    const group *g = getgrgid(st.st_gid);
    node.group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
    const char *bits = "rwxrwxrwx";
    node.mode = QStringLiteral("c");
    for (int i = 0; i < 9; ++i)
        node.mode += (st.st_mode & (0400 >> i)) ? QLatin1Char(bits[i]) : QLatin1Char('-');
    if (geteuid() == 0 || getegid() == st.st_gid) {
        node.member = true;
    } else {
        gid_t groups[256];
        const int n = getgroups(256, groups);
        for (int i = 0; i < n; ++i)
            node.member = node.member || groups[i] == st.st_gid;
    }
    return node;
}

QString userName()
{
    const passwd *p = getpwuid(geteuid());
    return p ? QString::fromLocal8Bit(p->pw_name) : QString::number(geteuid());
}

bool exists(const std::string &path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// What to do about a node the user may not open. A node of root's own
// group is given to the device's usual group first, by a udev rule.
QString joinAdvice(const Node &node, const QString &path)
{
    QString group = node.group;
    QString first;
    if (group == QLatin1String("root") || group.isEmpty()) {
        group = QString::fromStdString(deviceGroup(path.toStdString()));
        const QString kernel = group == QLatin1String("i2c") ? QStringLiteral("i2c-[0-9]*") : QStringLiteral("parport[0-9]*");
        first = QStringLiteral("%1 is open to root only: give it to the group %2 with a udev rule "
                               "(KERNEL==\"%3\", GROUP=\"%2\", MODE=\"0660\" in /etc/udev/rules.d/60-ort310.rules; "
                               "sudo groupadd -f %2), then ")
                    .arg(path, group, kernel);
    }
    QString join = QStringLiteral("join the group %1 to use %2: sudo usermod -aG %1 %3, then log in again")
                       .arg(group, path, userName());
    if (first.isEmpty())
        join[0] = join[0].toUpper();
    return first + join;
}

} // namespace

int doctor(const Invocation &run, bool json, std::FILE *out)
{
    QStringList advice;
    QJsonArray portsJson;
    QStringList portLines;
    bool usable = false;

    // Printer ports: the kernel's, and the ppdev nodes the component opens.
    const std::vector<std::string> dev = folderEntries("/dev");
    const std::vector<int> systemPorts = deviceNumbers(folderEntries("/proc/sys/dev/parport"), "parport");
    const std::vector<int> portNodes = deviceNumbers(dev, "parport");
    for (int n : portNodes) {
        const std::string path = "/dev/parport" + std::to_string(n);
        const auto base = parseParportBase(readText("/proc/sys/dev/parport/parport" + std::to_string(n) + "/base-addr"));
        const int error = openError(path);
        const Node node = nodeOf(path);
        QString state = error == 0 ? QStringLiteral("usable") : words(deviceErrorText(error, path, "open"));
        if (!base)
            state = QStringLiteral("its I/O base is not shown by the system, so it is not used");
        usable = usable || (error == 0 && base);
        portLines << QStringLiteral("  %1  base %2  %3 root:%4  %5")
                         .arg(words(path), base ? hexWithSuffix(*base) : QStringLiteral("?"), node.mode, node.group, state);
        if ((error == EACCES || error == EPERM) && !node.member)
            advice << joinAdvice(node, words(path));
        portsJson.append(QJsonObject{{QStringLiteral("path"), words(path)},
                                     {QStringLiteral("base"), base ? QJsonValue(*base) : QJsonValue()},
                                     {QStringLiteral("group"), node.group},
                                     {QStringLiteral("usable"), error == 0 && base.has_value()},
                                     {QStringLiteral("problem"), error == 0 ? QString() : words(deviceErrorText(error, path, "open"))}});
    }
    const bool ppdevLoaded = exists("/sys/class/ppdev") || !portNodes.empty();
    if (portNodes.empty() && !systemPorts.empty())
        advice << QStringLiteral("The kernel has %1 printer port(s) but the ppdev module is not loaded: sudo modprobe ppdev")
                      .arg(systemPorts.size());

    // SMBus adapters: every one the kernel has, and what its i2c-dev node allows.
    const bool i2cDevLoaded = exists("/sys/class/i2c-dev");
    const std::string ioports = readText("/proc/ioports");
    const std::vector<int> systemAdapters = deviceNumbers(folderEntries("/sys/class/i2c-adapter"), "i2c-");
    std::vector<Adapter> adapters;
    for (int n : deviceNumbers(dev, "i2c-"))
        adapters.push_back(probeAdapter(n, ioports));
    QJsonArray adaptersJson;
    QStringList adapterLines;
    for (int n : systemAdapters) {
        const std::string path = "/dev/i2c-" + std::to_string(n);
        std::string name = readText("/sys/class/i2c-adapter/i2c-" + std::to_string(n) + "/name");
        while (!name.empty() && (name.back() == '\n' || name.back() == ' '))
            name.pop_back();
        const Adapter *node = nullptr;
        for (const Adapter &a : adapters)
            if (a.number == n)
                node = &a;
        QString state;
        if (!node)
            state = i2cDevLoaded ? QStringLiteral("no device node") : QStringLiteral("no device node (i2c-dev is not loaded)");
        else if (!node->opened)
            state = words(deviceErrorText(node->openError, path, "open"));
        else
            state = node->byteData ? QStringLiteral("usable, byte-data transfers")
                                   : QStringLiteral("opens, but has no byte-data transfers: the chip cannot be reached on it");
        const bool ok = node && node->opened && node->byteData;
        usable = usable || ok;
        const Node owner = nodeOf(path);
        adapterLines << QStringLiteral("  %1  \"%2\"  %3").arg(words(path), words(name), state);
        if (node && !node->opened && (node->openError == EACCES || node->openError == EPERM) && !owner.member)
            advice << joinAdvice(owner, words(path));
        adaptersJson.append(QJsonObject{{QStringLiteral("path"), words(path)},
                                        {QStringLiteral("name"), words(name)},
                                        {QStringLiteral("node"), node != nullptr},
                                        {QStringLiteral("group"), owner.group},
                                        {QStringLiteral("byte_data"), node && node->byteData},
                                        {QStringLiteral("usable"), ok},
                                        {QStringLiteral("problem"), ok ? QString() : state}});
    }
    if (!i2cDevLoaded)
        advice << QStringLiteral("The i2c-dev module is not loaded, so no SMBus adapter can be used: sudo modprobe i2c-dev "
                                 "(and add i2c-dev to /etc/modules to load it at every start)");
    const AdapterChoice choice = chooseAdapter(adapters, run.component.i2cDevice, static_cast<int>(systemAdapters.size()));
    const QString chosen = choice.adapter ? words(choice.adapter->path()) : QString();
    if (systemAdapters.empty() && portNodes.empty() && systemPorts.empty())
        advice << QStringLiteral("This machine shows neither a printer port nor an SMBus adapter; the simulated board "
                                 "(--bus sim) works without either");
    advice.removeDuplicates();
    const bool simulated = run.component.bus == "sim";

    if (json) {
        const QJsonObject report{{QStringLiteral("linux_component"), true},
                                 {QStringLiteral("bus"), words(run.component.bus)},
                                 {QStringLiteral("user"), userName()},
                                 {QStringLiteral("printer_ports"), portsJson},
                                 {QStringLiteral("ppdev_loaded"), ppdevLoaded},
                                 {QStringLiteral("adapters"), adaptersJson},
                                 {QStringLiteral("i2c_dev_loaded"), i2cDevLoaded},
                                 {QStringLiteral("adapter"), chosen},
                                 {QStringLiteral("usable"), usable},
                                 {QStringLiteral("advice"), QJsonArray::fromStringList(advice)}};
        print(out, QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact)));
        return usable ? Done : Failed;
    }
    print(out, QStringLiteral("What the Linux component sees, as the user %1:").arg(userName()));
    print(out, QStringLiteral("Printer ports (ppdev %1):").arg(ppdevLoaded ? QStringLiteral("loaded") : QStringLiteral("not loaded")));
    print(out, portLines.isEmpty() ? QStringLiteral("  none") : portLines.join(QLatin1Char('\n')));
    print(out, QStringLiteral("SMBus adapters (i2c-dev %1):").arg(i2cDevLoaded ? QStringLiteral("loaded") : QStringLiteral("not loaded")));
    print(out, adapterLines.isEmpty() ? QStringLiteral("  none") : adapterLines.join(QLatin1Char('\n')));
    print(out, choice.adapter ? QStringLiteral("The SMBus route uses %1.").arg(chosen)
                              : QStringLiteral("The SMBus route cannot be used: %1.").arg(words(choice.error)));
    if (simulated)
        print(out, QStringLiteral("This run talks to the simulated board (bus sim); --bus linux talks to the above."));
    print(out, QStringLiteral("What to do:"));
    if (advice.isEmpty())
        advice << (usable ? QStringLiteral("Nothing: ort310 --bus linux scan finds the chip on what is usable above")
                          : QStringLiteral("Connect the evaluation board to a printer port or the chip to an SMBus adapter"));
    for (const QString &a : advice)
        print(out, QStringLiteral("  - ") + a);
    return usable ? Done : Failed;
}

#endif

} // namespace ort::cli
