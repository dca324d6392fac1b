// The exporter `ort310 serve` on the default simulated board (two chips):
// how long a scrape takes (median and worst of 1000 on one connection); how
// many register reads a second cross the bus with nobody scraping and with
// 50 scrapes a second; and the CPU time the exporter process spends a
// second at its default 1 s interval, scraped once a second.
#include "cli/serve.h"
#include "component/busaccess.h"
#include "component/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace ort;
using Steady = std::chrono::steady_clock;

namespace {

double secondsSince(Steady::time_point start)
{
    return std::chrono::duration<double>(Steady::now() - start).count();
}

// A blocking client on one kept-alive loopback connection.
class Scraper {
public:
    explicit Scraper(uint16_t port) : m_fd(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const timeval limit{5, 0};   // a scrape that never ends ends the bench
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        if (connect(m_fd, reinterpret_cast<const sockaddr *>(&to), sizeof to) != 0)
            close();
    }
    ~Scraper() { close(); }
    // One GET /metrics: its body, or empty when it failed.
    std::string scrape()
    {
        static const std::string request = "GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        if (m_fd < 0 || send(m_fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
            return {};
        size_t end;
        while ((end = m_buffer.find("\r\n\r\n")) == std::string::npos)
            if (!receive())
                return {};
        const size_t at = m_buffer.find("Content-Length: ");
        const size_t size = at < end ? std::stoul(m_buffer.substr(at + 16)) : 0;
        while (m_buffer.size() < end + 4 + size)
            if (!receive())
                return {};
        std::string body = m_buffer.substr(end + 4, size);
        m_buffer.erase(0, end + 4 + size);
        return body;
    }

private:
    bool receive()
    {
        char chunk[16384];
        const ssize_t n = recv(m_fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        m_buffer.append(chunk, static_cast<size_t>(n));
        return true;
    }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    int m_fd;
    std::string m_buffer;
};

// Runs `scraping` on a thread of its own while this thread's event loop
// serves, and returns when it is done.
template <typename F>
void whileServing(F &&scraping)
{
    std::thread client([&] {
        scraping();
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    client.join();
}

// The exporter in this process, its bus transfers counted.
void inProcess()
{
    ComponentOptions sim;
    sim.bus = "sim";
    BusAccessServer bus(createBackend(sim, std::make_shared<SystemClock>()));
    std::atomic<long> transfers = 0;
    bus.setTransferObserver([&](const Transfer &) { ++transfers; });
    cli::ChipReader reader(bus, {}, {[] { return secondsSince({}); }, [] { return 0.0; }}, [](const QString &) {});
    cli::LatestText latest;
    cli::ReaderThread thread(reader, 1.0, latest);
    cli::MetricsServer server([&] { return latest.get(); });
    if (!server.listen(QHostAddress::LocalHost, 0).isEmpty())
        return;
    while (thread.rounds() < 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    std::vector<double> ms;
    whileServing([&] {
        Scraper scraper(server.port());
        const auto start = Steady::now();
        for (int i = 0; i < 1000 && secondsSince(start) < 60; ++i) {
            const auto t = Steady::now();
            if (scraper.scrape().find("ort310_chip_up{") == std::string::npos)
                return;
            ms.push_back(secondsSince(t) * 1000);
        }
    });
    if (ms.size() < 1000) {
        std::fprintf(stderr, "bench_serve: %zu of 1000 scrapes answered\n", ms.size());
        std::exit(1);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("serve_scrape_median: %.3f ms (2 chips, %lld bytes)\n", ms[ms.size() / 2], static_cast<long long>(latest.get().size()));
    std::printf("serve_scrape_worst: %.3f ms of 1000 (99th percentile %.3f ms)\n", ms.back(), ms[ms.size() * 99 / 100]);

    for (int rate : {0, 50}) {
        long scrapes = 0;
        long before = 0;
        double seconds = 0;
        whileServing([&] {
            Scraper scraper(server.port());
            const long first = transfers;
            const auto start = Steady::now();
            for (int i = 1; secondsSince(start) < 10; ++i) {
                if (rate && !scraper.scrape().empty())
                    ++scrapes;
                std::this_thread::sleep_until(start + std::chrono::milliseconds(rate ? 1000 * i / rate : 100 * i));
            }
            seconds = secondsSince(start);
            before = first;
        });
        std::printf("serve_bus_reads_per_s_%d_scrapes: %.1f reads/s (%.1f scrapes/s answered)\n", rate,
                    (transfers - before) / seconds, scrapes / seconds);
    }
}

// CPU time of all of a process's threads, in seconds, from the scheduler's
// own count in nanoseconds (the tick counts of /proc/PID/stat are too coarse
// for so light a process).
double processCpuSeconds(qint64 pid)
{
    double seconds = 0;
    for (const QString &task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/task/%2/schedstat").arg(pid).arg(task));
        if (stat.open(QIODevice::ReadOnly))
            seconds += stat.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return seconds;
}

// The exporter as the service runs it, a process at the default interval.
void asProcess()
{
    QProcess exporter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORT310_BUS"), QStringLiteral("sim"));
    exporter.setProcessEnvironment(env);
    exporter.start(QStringLiteral(ORT310_TOOL), {"serve", "--listen", "127.0.0.1:0"});
    QString said;
    static const QRegularExpression at(QStringLiteral("127\\.0\\.0\\.1:(\\d+)/metrics"));
    for (int i = 0; i < 100 && !said.contains(QLatin1String("reading 2 chips")); ++i) {
        exporter.waitForReadyRead(100);
        said += QString::fromUtf8(exporter.readAllStandardError());
    }
    const uint16_t port = at.match(said).captured(1).toUShort();
    Scraper scraper(port);
    const double first = processCpuSeconds(exporter.processId());
    const auto start = Steady::now();
    int answered = 0;
    for (int i = 1; i <= 30; ++i) {
        answered += !scraper.scrape().empty();
        std::this_thread::sleep_until(start + std::chrono::seconds(i));
    }
    const double cpu = (processCpuSeconds(exporter.processId()) - first) / secondsSince(start);
    exporter.terminate();
    exporter.waitForFinished(5000);
    std::printf("serve_process_cpu: %.2f %% of a core (1 s interval, 2 chips, %d of 30 scrapes answered, 30 s)\n", cpu * 100, answered);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    inProcess();
    asProcess();
    return 0;
}
