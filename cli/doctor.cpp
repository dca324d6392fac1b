#include "cli/doctor.h"
#include "cli/tool.h"
#include "cli/values.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#ifdef ORT_LINUX_BACKEND
#include "component/linux/devices.h"
#include "component/linux/linuxbackend.h"
#include "component/linux/sysinfo.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ort::cli {

namespace {

// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Doctor)
};

void print(std::FILE *out, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
}

} // namespace

#ifndef ORT_LINUX_BACKEND

int doctor(const Invocation &, bool json, std::FILE *out)
{
    const QString text = Words::tr("This build has no Linux component (it was built without libi2c): only the "
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

QString words(const std::string &text)
{
    return QString::fromStdString(text);
}

bool permissionDenied(int error)
{
    return error == EACCES || error == EPERM;
}

// What to do about a node the user may not open. A node of root's own
// group is given to the device's usual group first, by a udev rule; a user
// already in the group has only to log in again.
QString accessAdvice(const NodeView &node, const std::string &user)
{
    const QString path = words(node.path);
    if (node.member)
        return Words::tr("You are in the group %1, which may open %2, but this login is not yet: log in again")
            .arg(words(node.group), path);
    QString group = words(node.group);
    QString first;
    if (group == QLatin1String("root") || group.isEmpty()) {
        group = words(deviceGroup(node.path));
        const QString kernel = group == QLatin1String("i2c") ? QStringLiteral("i2c-[0-9]*") : QStringLiteral("parport[0-9]*");
        first = Words::tr("%1 is open to root only: give it to the group %2 with a udev rule "
                          "(KERNEL==\"%3\", GROUP=\"%2\", MODE=\"0660\" in /etc/udev/rules.d/60-ort310.rules; "
                          "sudo groupadd -f %2), then ")
                    .arg(path, group, kernel);
    }
    QString join = Words::tr("join the group %1 to use %2: sudo usermod -aG %1 %3, then log in again")
                       .arg(group, path, words(user));
    if (first.isEmpty())
        join[0] = join[0].toUpper();
    return first + join;
}

QString openText(const NodeView &node)
{
    return node.openError == 0 ? QString() : words(deviceErrorText(node.openError, node.path, "open"));
}

} // namespace

NodeView lookAtNode(const std::string &path)
{
    NodeView node;
    node.path = path;
    node.openError = openError(path);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return node;
    const passwd *owner = getpwuid(st.st_uid);
    node.owner = owner ? owner->pw_name : std::to_string(st.st_uid);
    const group *g = getgrgid(st.st_gid);
    node.group = g ? g->gr_name : std::to_string(st.st_gid);
    const char *bits = "rwxrwxrwx";
    node.mode = "c";
    for (int i = 0; i < 9; ++i)
        node.mode += (st.st_mode & (0400 >> i)) ? bits[i] : '-';
    node.member = geteuid() == 0 || getegid() == st.st_gid;
    gid_t groups[256];
    const int n = getgroups(256, groups);
    for (int i = 0; i < n; ++i)
        node.member = node.member || groups[i] == st.st_gid;
    return node;
}

namespace {

bool exists(const std::string &path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

MachineView lookAtMachine(const ComponentOptions &options)
{
    MachineView view;
    const passwd *p = getpwuid(geteuid());
    view.user = p ? p->pw_name : std::to_string(geteuid());

    const std::vector<std::string> dev = folderEntries("/dev");
    for (int n : deviceNumbers(dev, "parport"))
        view.ports.push_back({lookAtNode("/dev/parport" + std::to_string(n)),
                              parseParportBase(readText("/proc/sys/dev/parport/parport" + std::to_string(n) + "/base-addr"))});
    view.systemPorts = static_cast<int>(deviceNumbers(folderEntries("/proc/sys/dev/parport"), "parport").size());
    view.ppdevLoaded = exists("/sys/class/ppdev") || !view.ports.empty();

    view.i2cDevLoaded = exists("/sys/class/i2c-dev");
    const std::string ioports = readText("/proc/ioports");
    std::vector<Adapter> nodes;
    for (int n : deviceNumbers(dev, "i2c-"))
        nodes.push_back(probeAdapter(n, ioports));
    const std::vector<int> system = deviceNumbers(folderEntries("/sys/class/i2c-adapter"), "i2c-");
    for (int n : system) {
        AdapterView adapter;
        adapter.path = "/dev/i2c-" + std::to_string(n);
        adapter.name = readText("/sys/class/i2c-adapter/i2c-" + std::to_string(n) + "/name");
        while (!adapter.name.empty() && (adapter.name.back() == '\n' || adapter.name.back() == ' '))
            adapter.name.pop_back();
        for (const Adapter &a : nodes)
            if (a.number == n) {
                adapter.node = lookAtNode(adapter.path);
                adapter.node->openError = a.opened ? 0 : a.openError;
                adapter.byteData = a.byteData;
            }
        view.adapters.push_back(adapter);
    }
    const AdapterChoice choice = chooseAdapter(nodes, options.i2cDevice, static_cast<int>(system.size()));
    view.smbusAdapter = choice.adapter ? choice.adapter->path() : std::string();
    view.smbusProblem = choice.error;
    return view;
}

} // namespace

DoctorReport examine(const MachineView &view)
{
    DoctorReport report;
    QJsonArray ports;
    for (const PortView &port : view.ports) {
        const bool ok = port.node.openError == 0 && port.base;
        report.usable = report.usable || ok;
        QString state = ok ? Words::tr("usable") : openText(port.node);
        if (port.node.openError == 0 && !port.base)
            state = Words::tr("its I/O base is not shown by the system, so it is not used");
        report.portLines << Words::tr("  %1  base %2  %3 %4:%5  %6")
                                .arg(words(port.node.path), port.base ? hexWithSuffix(*port.base) : QStringLiteral("?"),
                                     words(port.node.mode), words(port.node.owner), words(port.node.group), state);
        if (permissionDenied(port.node.openError))
            report.advice << accessAdvice(port.node, view.user);
        ports.append(QJsonObject{{QStringLiteral("path"), words(port.node.path)},
                                 {QStringLiteral("base"), port.base ? QJsonValue(*port.base) : QJsonValue()},
                                 {QStringLiteral("group"), words(port.node.group)},
                                 {QStringLiteral("usable"), ok},
                                 {QStringLiteral("problem"), ok ? QString() : state}});
    }
    if (view.ports.empty() && view.systemPorts > 0)
        report.advice << Words::tr("The kernel has %n printer port(s) but the ppdev module is not loaded: sudo modprobe "
                                   "ppdev",
                                   nullptr, view.systemPorts);

    QJsonArray adapters;
    for (const AdapterView &adapter : view.adapters) {
        QString state;
        if (!adapter.node)
            state = view.i2cDevLoaded ? Words::tr("no device node") : Words::tr("no device node (i2c-dev is not loaded)");
        else if (adapter.node->openError != 0)
            state = openText(*adapter.node);
        else
            state = adapter.byteData ? Words::tr("usable, byte-data transfers")
                                     : Words::tr("opens, but has no byte-data transfers: the chip cannot be reached on it");
        const bool ok = adapter.node && adapter.node->openError == 0 && adapter.byteData;
        report.usable = report.usable || ok;
        report.adapterLines << QStringLiteral("  %1  \"%2\"  %3").arg(words(adapter.path), words(adapter.name), state);
        if (adapter.node && permissionDenied(adapter.node->openError))
            report.advice << accessAdvice(*adapter.node, view.user);
        adapters.append(QJsonObject{{QStringLiteral("path"), words(adapter.path)},
                                    {QStringLiteral("name"), words(adapter.name)},
                                    {QStringLiteral("node"), adapter.node.has_value()},
                                    {QStringLiteral("group"), adapter.node ? words(adapter.node->group) : QString()},
                                    {QStringLiteral("byte_data"), adapter.byteData},
                                    {QStringLiteral("usable"), ok},
                                    {QStringLiteral("problem"), ok ? QString() : state}});
    }
    if (!view.i2cDevLoaded)
        report.advice << Words::tr("The i2c-dev module is not loaded, so no SMBus adapter can be used: sudo modprobe "
                                   "i2c-dev (and add i2c-dev to /etc/modules to load it at every start)");
    if (view.adapters.empty() && view.ports.empty() && view.systemPorts == 0)
        report.advice << Words::tr("This machine shows neither a printer port nor an SMBus adapter; the simulated "
                                   "board (--bus sim) works without either");
    report.advice.removeDuplicates();
    report.json = QJsonObject{{QStringLiteral("linux_component"), true},
                              {QStringLiteral("user"), words(view.user)},
                              {QStringLiteral("printer_ports"), ports},
                              {QStringLiteral("ppdev_loaded"), view.ppdevLoaded},
                              {QStringLiteral("adapters"), adapters},
                              {QStringLiteral("i2c_dev_loaded"), view.i2cDevLoaded},
                              {QStringLiteral("adapter"), words(view.smbusAdapter)},
                              {QStringLiteral("usable"), report.usable},
                              {QStringLiteral("advice"), QJsonArray::fromStringList(report.advice)}};
    return report;
}

int doctor(const Invocation &run, bool json, std::FILE *out)
{
    const MachineView view = lookAtMachine(run.component);
    DoctorReport report = examine(view);
    if (json) {
        report.json[QStringLiteral("bus")] = words(run.component.bus);
        report.json[QStringLiteral("board")] = words(run.component.board);
        print(out, QString::fromUtf8(QJsonDocument(report.json).toJson(QJsonDocument::Compact)));
        return report.usable ? Done : Failed;
    }
    const auto loaded = [](bool yes) { return yes ? Words::tr("loaded") : Words::tr("not loaded"); };
    print(out, Words::tr("What the Linux component sees, as the user %1:").arg(words(view.user)));
    print(out, Words::tr("Printer ports (ppdev %1):").arg(loaded(view.ppdevLoaded)));
    print(out, report.portLines.isEmpty() ? Words::tr("  none") : report.portLines.join(QLatin1Char('\n')));
    print(out, Words::tr("SMBus adapters (i2c-dev %1):").arg(loaded(view.i2cDevLoaded)));
    print(out, report.adapterLines.isEmpty() ? Words::tr("  none") : report.adapterLines.join(QLatin1Char('\n')));
    print(out, view.smbusAdapter.empty() ? Words::tr("The SMBus route cannot be used: %1.").arg(words(view.smbusProblem))
                                         : Words::tr("The SMBus route uses %1.").arg(words(view.smbusAdapter)));
    if (!run.component.board.empty())
        print(out, Words::tr("This run talks to the simulated board described by %1.").arg(words(run.component.board)));
    else if (run.component.bus == "sim")
        print(out, Words::tr("This run talks to the simulated board (bus sim); --bus linux talks to the above."));
    else if (run.component.bus == "auto") {
        // As createBackend decides it, so that the words match the run.
        const linuxhw::HardwareShown shown = linuxHardwareShown();
        if (shown.shown || !run.component.i2cDevice.empty())
            print(out, Words::tr("This run (bus auto) talks to the above."));
        else
            print(out, Words::tr("This run (bus auto) talks to the simulated board: %1.").arg(words(shown.absence)));
    }
    print(out, Words::tr("What to do:"));
    if (report.advice.isEmpty())
        report.advice << (report.usable ? Words::tr("Nothing: ort310 --bus linux scan finds the chip on what is usable above")
                                        : Words::tr("Connect the evaluation board to a printer port or the chip to an SMBus adapter"));
    for (const QString &a : report.advice)
        print(out, QStringLiteral("  - ") + a);
    return report.usable ? Done : Failed;
}

#endif

} // namespace ort::cli
