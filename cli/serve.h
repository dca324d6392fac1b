#pragma once
#include "cli/chipreader.h"
#include "cli/tool.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QHttpServer;
class QTcpServer;

// `ort310 serve`: the chips' last readings over HTTP for Prometheus. One
// thread owns the bus and reads at the interval; the HTTP side, on the
// thread of the event loop, answers from the last text the reader left and
// never reaches the bus.

namespace ort::cli {

struct Invocation;

// The last exposition text, handed from the reader to the HTTP side.
class LatestText {
public:
    void set(QByteArray text);
    QByteArray get() const;

private:
    mutable std::mutex m_mutex;
    QByteArray m_text;
};

// Runs a ChipReader's rounds on a thread of its own, one every `interval`
// seconds, and leaves each round's text in `latest`. Stops when destroyed.
// `failed` hears, on the reader's thread, of a failure that is the
// program's own (not the bus's) and ended the rounds.
class ReaderThread {
public:
    ReaderThread(ChipReader &reader, double interval, LatestText &latest, std::function<void(const QString &)> failed = {});
    ~ReaderThread();
    ReaderThread(const ReaderThread &) = delete;
    ReaderThread &operator=(const ReaderThread &) = delete;
    // Rounds done so far.
    long long rounds() const;

private:
    void run(double interval);
    ChipReader &m_reader;
    LatestText &m_latest;
    std::function<void(const QString &)> m_failed;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    long long m_rounds = 0;
    std::thread m_thread;
};

// The HTTP side: GET or HEAD of /metrics and of / (a page that links to
// it); anything else 404, any other method 405, a request past
// MaxRequestBytes 413 and the connection closed.
class MetricsServer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 MaxRequestBytes = 8 * 1024;

    explicit MetricsServer(std::function<QByteArray()> metrics, QObject *parent = nullptr);
    ~MetricsServer() override;
    // Empty when listening, else why not.
    QString listen(const QHostAddress &address, quint16 port);
    quint16 port() const;

private:
    std::function<QByteArray()> m_metrics;
    QTcpServer *m_tcp;
    std::unique_ptr<QHttpServer> m_http;
};

// The line said when the readings are reachable from other machines, or
// nothing for a loopback address.
QString networkWarning(const QHostAddress &address, quint16 port);

int serve(BusAccessServer &bus, const Invocation &run, const ToolIo &io);

} // namespace ort::cli
