#include "tests/support/simboard.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimerEvent>
#include <cstdio>

namespace ort::test {

SimBoard::SimBoard(const sim::Scenario &scenario) : clock(std::make_shared<ManualClock>())
{
    auto sim = std::make_unique<sim::SimBackend>(scenario, clock);
    backend = sim.get();
    own(std::move(sim));
}

SimBoard::SimBoard(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock) : clock(std::move(clock))
{
    own(std::move(hardware));
}

void SimBoard::own(std::unique_ptr<Backend> hardware)
{
    m_owned = std::make_unique<BusAccessServer>(std::move(hardware));
    m_server = m_owned.get();
    m_server->transcript().setEnabled(true);
}

QStringList SimBoard::calls() const
{
    QStringList out;
    for (const std::string &c : m_server->transcript().calls()) {
        const QString s = QString::fromStdString(c);
        if (s != "BusAccessServer.PrinterPort()" && s != "BusAccessServer.Smbus()")
            out << s;
    }
    return out;
}

void SimBoard::clearCalls()
{
    m_server->transcript().clear();
}

namespace detail {

void fail(const QString &text, const std::source_location &where)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(text), where.file_name(), int(where.line()));
    else
        std::fprintf(stderr, "%s:%u: %s\n", where.file_name(), unsigned(where.line()), qPrintable(text));
}

} // namespace detail

int tick(ManualClock &clock, QTimer &timer, int n, std::optional<double> dt)
{
    const double step = dt ? *dt : timer.interval() / 1000.0;
    int ran = 0;
    for (int i = 0; i < n && timer.isActive(); ++i) {
        clock.advance(step);
        QTimerEvent event(timer.timerId());
        QCoreApplication::sendEvent(&timer, &event);
        // Back in the event loop: what the tick queued for later (a failure
        // box, say) runs now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        ++ran;
    }
    return ran;
}

int tick(ManualClock &clock, const std::function<void()> &handler, int n, double dt)
{
    for (int i = 0; i < n; ++i) {
        clock.advance(dt);
        handler();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    return n;
}

} // namespace ort::test
