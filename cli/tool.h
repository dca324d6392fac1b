#pragma once
#include "component/clock.h"
#include "component/options.h"

#include <QDateTime>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <memory>

namespace ort {
class BusAccessServer;
}

// The command-line tool ort310 as a function of its arguments: its main
// hands it the process's streams, the environment's settings and how to
// make the one bus access component.

namespace ort::cli {

// Exit statuses.
inline constexpr int Done = 0;
inline constexpr int Failed = 1;     // a bus or file failure, or no chip found
inline constexpr int Misused = 2;    // a usage error

struct ToolIo {
    std::FILE *out = stdout;
    std::FILE *err = stderr;
    ComponentOptions environment;
    // The one bus access component, made from the options when a command
    // needs the bus; it outlives the command.
    std::function<BusAccessServer &(const ComponentOptions &)> bus;
    // The time of day and date a log record carries.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // The time the alert lamp's hold counts in: the simulated board's own.
    std::shared_ptr<const Clock> clock = std::make_shared<SystemClock>();
};

// `arguments` holds the program's name first, as argv does.
int runTool(const QStringList &arguments, const ToolIo &io);

} // namespace ort::cli
