// The command-line tool as a whole process on the simulated board: how long
// one `ort310 temps` takes from start to exit (median of many runs), and how
// many records a second `ort310 log --interval 0` writes on each route, with
// the CPU time it spends on each.
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double wallSeconds = 0;
    double cpuSeconds = 0;   // user and system time of the process
    int status = -1;
};

Run runTool(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), ORT310_TOOL);
    std::vector<char *> argv;
    for (std::string &a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&files);
        return run;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&files);
    return run;
}

double medianMs(const std::vector<std::string> &arguments, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const Run r = runTool(arguments);
        if (r.status != 0) {
            std::fprintf(stderr, "bench_cli: ort310 failed with status %d\n", r.status);
            std::exit(1);
        }
        ms.push_back(r.wallSeconds * 1000);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The format by the file's extension: xls the window's log, csv with the
// status read before each record as well.
void logRate(const char *name, const std::string &route, int records, const QString &extension = QStringLiteral("xls"))
{
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("bench.") + extension).toStdString();
    const Run r = runTool({"--route", route, "log", file, "--interval", "0", "--count", std::to_string(records)});
    if (r.status != 0) {
        std::fprintf(stderr, "bench_cli: ort310 log failed with status %d\n", r.status);
        std::exit(1);
    }
    std::printf("cli_log_%s_records_per_s: %.0f records/s\n", name, records / r.wallSeconds);
    std::printf("cli_log_%s_cpu_per_record: %.1f us\n", name, r.cpuSeconds / records * 1e6);
}

} // namespace

int main()
{
    setenv("ORT310_BUS", "sim", 1);
    unsetenv("ORT310_I2C");
    unsetenv("ORT310_WIRE_TRACE");
    medianMs({"--version"}, 3);   // warm the file cache
    std::printf("cli_temps_wall: %.1f ms\n", medianMs({"temps"}, 41));
    std::printf("cli_temps_smbus_address_wall: %.1f ms\n", medianMs({"--route", "smbus", "--address", "18", "temps"}, 41));
    logRate("smbus", "smbus", 20000);
    logRate("smbus_csv", "smbus", 20000, QStringLiteral("csv"));
    logRate("printer", "printer", 5000);
    logRate("printer_csv", "printer", 5000, QStringLiteral("csv"));
    return 0;
}
