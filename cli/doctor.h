#pragma once
#include "cli/invocation.h"

#include <QJsonObject>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ort::cli {

// What the Linux component sees of this machine: printer ports and SMBus
// adapters, who may open them, whether the modules are loaded, and what to
// do. Returns 0 when a printer port or an SMBus adapter can be used, else 1.
int doctor(const Invocation &run, bool json, std::FILE *out);

// A device node as the system shows it to this user.
struct NodeView {
    std::string path;          // "/dev/i2c-0"
    int openError = 0;         // errno of opening it read and write, 0 when it opens
    std::string group;         // the group that owns it
    std::string mode;          // "crw-rw----"
    bool member = false;       // the user is root or in that group
    std::string owner;         // the user that owns it
};
struct PortView {
    NodeView node;
    std::optional<uint16_t> base;   // from base-addr; none when the system shows none
};
struct AdapterView {
    std::string path;
    std::string name;               // as the kernel names it
    std::optional<NodeView> node;   // none without an i2c-dev node
    bool byteData = false;
};
struct MachineView {
    std::string user;
    std::vector<PortView> ports;    // the ppdev nodes
    int systemPorts = 0;            // printer ports the kernel has, nodes or not
    bool ppdevLoaded = false;
    std::vector<AdapterView> adapters;   // every adapter the kernel has
    bool i2cDevLoaded = false;
    std::string smbusAdapter;       // the one the SMBus route uses, or empty...
    std::string smbusProblem;       // ...and why there is none
};

struct DoctorReport {
    QStringList portLines;
    QStringList adapterLines;
    QStringList advice;
    bool usable = false;
    QJsonObject json;
};

// A device node as this user meets it.
NodeView lookAtNode(const std::string &path);

// What the view means and what to do about it. Pure.
DoctorReport examine(const MachineView &view);

} // namespace ort::cli
