#pragma once
#include "component/options.h"

#include <QDateTime>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <functional>

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
    // Monotonic seconds, for how long the exporter holds an alert.
    std::function<double()> monotonic = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
};

// A message on `err`, after the tool's name: "ort310: ...".
void say(std::FILE *err, const QString &text);

// `arguments` holds the program's name first, as argv does.
int runTool(const QStringList &arguments, const ToolIo &io);

} // namespace ort::cli
