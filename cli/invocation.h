#pragma once
#include "cli/values.h"
#include "component/options.h"
#include "component/route.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// The tool's command line, read whole before anything talks to the bus: a
// command and its values, each checked, or a UsageError in words. Pure but
// for the environment it is handed.

namespace ort::cli {

enum class Command { Scan, Info, Temps, Read, Write, Limits, Rate, Standby, OneShot, ClearAlert, Log, Doctor, Serve };

// Which chip to talk to; what is not given is searched for.
using ort::Route;
struct Target {
    std::optional<Route> route;   // none: either
    std::optional<uint16_t> portBase;
    std::optional<uint8_t> address7;
};

// The four limits in the order the chip numbers them.
enum Limit { LocalHigh, LocalLow, RemoteHigh, RemoteLow, LimitCount };

enum class LogFormat { Tsv, Csv, Jsonl };

struct Invocation {
    // Help or the version: printed as it stands, and nothing else is done.
    QString answer;

    Command command = Command::Scan;
    ComponentOptions component;
    Target target;
    bool json = false;

    std::optional<double> watchSeconds;             // temps
    bool allRegisters = false;                      // read all
    uint8_t registerAddress = 0;                    // read, write: the read address
    int value = 0;                                  // write
    std::array<std::optional<int>, LimitCount> limits;   // limits: those to set, in C
    std::optional<int> rateCode;                    // rate: the code to set
    std::optional<bool> standby;                    // standby on|off
    QString logFile;                                // log
    double interval = 5;                            // log; serve: 1 by default
    std::optional<int64_t> count;
    std::optional<double> duration;
    LogFormat format = LogFormat::Tsv;
    QStringList onAlert;                            // temps --watch, log: the program and its arguments
    ListenAddress listen{QStringLiteral("127.0.0.1"), 9310};   // serve
};

// `arguments` holds the program's name first, as argv does. Throws
// UsageError (link/busoptions.h).
Invocation parseInvocation(const QStringList &arguments, const ComponentOptions &environment);

// The command's name as typed: "one-shot".
QString commandName(Command command);

} // namespace ort::cli
