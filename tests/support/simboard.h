#pragma once
// A simulated board and virtual time, for every test program:
//
//   test::SimBoard board(scenario);            // a component on a simulated board
//   LinkNewComPort link(state, board.server());
//   test::tick(*board.clock, timer, 3);        // three ticks, the clock 5 ms on before each
//   QCOMPARE(board.calls(), QStringList({"SmbusHost.ReadRegister(24,254)"}));
#include "component/busaccess.h"
#include "component/clock.h"
#include "component/sim/simbackend.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>

namespace ort::test {

// A bus access component on a simulated board and a manual clock, with the
// transcript on. A program takes the component over (takeServer); server()
// reaches it still, for as long as that program lives.
class SimBoard {
public:
    explicit SimBoard(const sim::Scenario &scenario = sim::Scenario::defaultBoard());
    // A hand-made backend on the given clock; `backend` below is then null.
    SimBoard(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock);
    SimBoard(const SimBoard &) = delete;
    SimBoard &operator=(const SimBoard &) = delete;

    std::shared_ptr<ManualClock> clock;
    sim::SimBackend *backend = nullptr;   // owned by the server
    BusAccessServer &server() { return *m_server; }
    std::unique_ptr<BusAccessServer> takeServer() { return std::move(m_owned); }
    // The calls the program made, without the accessors that reach objects.
    QStringList calls() const;
    void clearCalls();

private:
    void own(std::unique_ptr<Backend> hardware);
    std::unique_ptr<BusAccessServer> m_owned;
    BusAccessServer *m_server = nullptr;
};

// Runs `n` ticks of `timer` without waiting for it: before each tick the
// clock moves on by `dt` seconds (by default the timer's interval), then the
// tick is delivered as the timer's own timer event, so its handlers run
// through the application's event dispatch exactly as a real tick does, and
// then the calls it queued run, as they would once it returned to the event
// loop. A timer that is stopped, by its own handler say, gets no further
// ticks. Returns the number of ticks that ran.
int tick(ManualClock &clock, QTimer &timer, int n = 1, std::optional<double> dt = std::nullopt);
// The same for a handler called directly.
int tick(ManualClock &clock, const std::function<void()> &handler, int n = 1, double dt = 0.005);

namespace detail {
// Fails the current test case at `where`, or prints the text outside one.
void fail(const QString &text, const std::source_location &where);
} // namespace detail

} // namespace ort::test
