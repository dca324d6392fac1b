#include "cli/serve.h"
#include "cli/invocation.h"
#include "cli/stopsignals.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QHttpServer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <sys/socket.h>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Serve)
};
} // namespace

void LatestText::set(QByteArray text)
{
    const std::lock_guard lock(m_mutex);
    m_text = std::move(text);
}

QByteArray LatestText::get() const
{
    const std::lock_guard lock(m_mutex);
    return m_text;
}

ReaderThread::ReaderThread(ChipReader &reader, double interval, LatestText &latest, std::function<void(const QString &)> failed)
    : m_reader(reader), m_latest(latest), m_failed(std::move(failed)), m_thread([this, interval] { run(interval); })
{
}

ReaderThread::~ReaderThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

long long ReaderThread::rounds() const
{
    const std::lock_guard lock(m_mutex);
    return m_rounds;
}

void ReaderThread::run(double interval)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(interval));
    auto due = Clock::now();
    for (;;) {
        try {
            m_reader.round();
        } catch (const std::exception &e) {
            // Not the bus's failure (the reader takes those): the program's own.
            if (m_failed)
                m_failed(QString::fromUtf8(e.what()));
            return;
        }
        m_latest.set(exposition(m_reader.readings()));
        // A round late by more than an interval does not make the next ones
        // hurry to catch up.
        due = std::max(due + period, Clock::now() - period);
        std::unique_lock lock(m_mutex);
        ++m_rounds;
        if (m_wake.wait_until(lock, due, [this] { return m_stop; }))
            return;
    }
}

namespace {

constexpr int LingerMs = 2000;

QByteArray refusalText(int status, const QByteArray &reason, const QByteArray &body)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
           "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// The HTTP module of Qt 6.4 takes a request of any size into memory; it
// has no limit to set. Each connection counts the bytes it received since
// it last answered, ahead of the module (its readyRead handler is connected
// first), and past the limit answers 413 itself and takes the connection
// from the module.
void refuseOversized(QTcpSocket *socket)
{
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    socket->readAll();
    socket->write(refusalText(413, "Payload Too Large", "The request is larger than this exporter takes.\n"));
    // Closing with the client's bytes unread would reset the connection and
    // could lose the answer: the rest is read and dropped, the sending side
    // is shut once the answer is out, and the client closes, or the
    // connection is dropped after a while.
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->bytesToWrite() == 0)
            ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
    });
    QTimer::singleShot(LingerMs, socket, [socket] { socket->abort(); });
}

class BoundedTcpServer : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        auto unanswered = std::make_shared<qint64>(0);
        connect(socket, &QTcpSocket::bytesWritten, socket, [unanswered] { *unanswered = 0; });
        connect(socket, &QTcpSocket::readyRead, socket, [socket, unanswered] {
            *unanswered += socket->bytesAvailable();
            if (*unanswered > MetricsServer::MaxRequestBytes)
                refuseOversized(socket);
        });
        addPendingConnection(socket);
    }
};

QByteArray indexPage()
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1 exporter</title></head>\n"
                          "<body><h1>%1 exporter</h1><p>The chips' readings for Prometheus: <a href=\"/metrics\">/metrics</a>"
                          "</p></body></html>\n")
        .arg(ChipName)
        .toUtf8();
}

bool getOrHead(const QHttpServerRequest &request)
{
    return request.method() == QHttpServerRequest::Method::Get || request.method() == QHttpServerRequest::Method::Head;
}

using Status = QHttpServerResponder::StatusCode;

const QByteArray PlainText = QByteArrayLiteral("text/plain; charset=utf-8");

// Qt 6.4 sends the body in answer to HEAD as well, which a client on a
// kept-alive connection takes for the start of the next answer: HEAD gets
// the same header lines and no body.
void answer(const QHttpServerRequest &request, QHttpServerResponder &responder, Status status, const QByteArray &type,
            const QByteArray &body)
{
    const bool refused = status == Status::MethodNotAllowed;
    if (request.method() != QHttpServerRequest::Method::Head) {
        if (refused)
            responder.write(body, {{"Content-Type", type}, {"Allow", "GET, HEAD"}}, status);
        else
            responder.write(body, {{"Content-Type", type}}, status);
        return;
    }
    responder.writeStatusLine(status);
    responder.writeHeader(QByteArrayLiteral("Content-Type"), type);
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(body.size()));
    responder.writeBody(QByteArray());
}

} // namespace

MetricsServer::MetricsServer(std::function<QByteArray()> metrics, QObject *parent)
    : QObject(parent), m_metrics(std::move(metrics)), m_tcp(new BoundedTcpServer(this)), m_http(std::make_unique<QHttpServer>())
{
    const auto methods = QHttpServerRequest::Method::Get | QHttpServerRequest::Method::Head;
    m_http->route(QStringLiteral("/metrics"), methods, [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        answer(request, responder, Status::Ok, ExpositionContentType, m_metrics());
    });
    m_http->route(QStringLiteral("/"), methods, [](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        answer(request, responder, Status::Ok, QByteArrayLiteral("text/html; charset=utf-8"), indexPage());
    });
    m_http->setMissingHandler([](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        if (getOrHead(request))
            answer(request, responder, Status::NotFound, PlainText, QByteArrayLiteral("Not found: the readings are at /metrics.\n"));
        else
            answer(request, responder, Status::MethodNotAllowed, PlainText,
                   QByteArrayLiteral("Only GET and HEAD are answered: the exporter is read-only.\n"));
    });
}

MetricsServer::~MetricsServer() = default;

QString MetricsServer::listen(const QHostAddress &address, quint16 port)
{
    if (!m_tcp->listen(address, port))
        return m_tcp->errorString();
    m_http->bind(m_tcp);
    return {};
}

quint16 MetricsServer::port() const
{
    return m_tcp->serverPort();
}

QString networkWarning(const QHostAddress &address, quint16 port)
{
    if (address.isLoopback())
        return {};
    return Words::tr("listening on %1 port %2: the readings are open to the network, to anyone who can reach this "
                     "machine")
        .arg(address.toString())
        .arg(port);
}

int serve(BusAccessServer &bus, const Invocation &run, const ToolIo &io)
{
    // Blocked before any thread starts, so that every thread inherits it
    // and the signals come only through the event loop.
    StopSignals stop;
    std::unique_ptr<QCoreApplication> ownApp;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "ort310";
        static char *argv[] = {name, nullptr};
        ownApp = std::make_unique<QCoreApplication>(argc, argv);
    }

    LatestText latest;
    latest.set(exposition({}));
    MetricsServer server([&latest] { return latest.get(); });
    const QHostAddress address(run.listen.host);
    if (const QString why = server.listen(address, run.listen.port); !why.isEmpty()) {
        say(io.err, Words::tr("Cannot answer scrapes at %1 port %2: %3").arg(address.toString()).arg(run.listen.port).arg(why));
        return Failed;
    }
    if (const QString warning = networkWarning(address, server.port()); !warning.isEmpty())
        say(io.err, warning);
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                                                                              : address.toString();
    say(io.err, Words::tr("serving the readings at http://%1:%2/metrics").arg(host).arg(server.port()));

    const auto unixTime = [&io] { return io.now().toMSecsSinceEpoch() / 1000.0; };
    ChipReader reader(bus, run.target, {io.monotonic, unixTime}, [&io](const QString &text) { say(io.err, text); });
    std::atomic<int> status = Done;
    QSocketNotifier stopNotifier(stop.descriptor(), QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, QCoreApplication::instance(), [&stop] {
        // Taken here, so that it is not delivered again once the old mask is back.
        if (stop.requested())
            QCoreApplication::quit();
    });
    {
        ReaderThread reading(reader, run.interval, latest, [&](const QString &text) {
            say(io.err, text);
            status = Failed;
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        });
        QCoreApplication::exec();
    }
    return status;
}

} // namespace ort::cli
