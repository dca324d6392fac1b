#pragma once
// The whole program on a simulated board, for window tests.
//
//   class TestEditor : public QObject {
//       Q_OBJECT
//       std::unique_ptr<test::ProgramFixture> f;
//   private slots:
//       void init() { f = std::make_unique<test::ProgramFixture>(); }   // or with a scenario
//       void cleanup() { f.reset(); }                 // fails the case if a window was left
//       void readsOverTheSmbus()
//       {
//           MainMenuForm *main = f->finishOn(test::Route::Smbus);   // splash, wizard, search, Finish
//           QVERIFY(main);
//           auto *tab = test::control<QTabWidget>(main, "MainTab");
//           tab->setCurrentIndex(1);
//           f->tick(*test::control<QTimer>(main, "Timer3"), 10);   // ten ticks, 5 ms apart
//           QCOMPARE(f->calls().first(), "SmbusHost.ReadRegister(24,0)");
//           QCOMPARE(f->ui.messages.size(), 0);
//           QCOMPARE(f->ends, 0);
//       }
//   };
//
// The board, the program and the tick helper share one manual clock, so a
// test moves time for the chip and the program together. Never wait on a
// real timer (no QTRY_ while a timer runs): tick it.
#include "component/route.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"

#include <memory>

namespace ort {
class InitForm;
class MainMenuForm;
} // namespace ort

namespace ort::test {

using Route = ort::Route;

class ProgramFixture {
public:
    // With a settings file, what the program remembers goes there (and
    // comes from there), as from the user's own between runs.
    explicit ProgramFixture(const sim::Scenario &scenario = sim::Scenario::defaultBoard(),
                            const QString &settingsFile = {});
    // A hand-made backend on the given clock.
    ProgramFixture(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock);
    // Unloads the program and checks that no top-level window was left.
    ~ProgramFixture();
    ProgramFixture(const ProgramFixture &) = delete;
    ProgramFixture &operator=(const ProgramFixture &) = delete;

    SimBoard board;
    FakeUi ui;
    std::unique_ptr<Program> program;   // ends are counted, not acted on
    int ends = 0;

    Declare &state() { return program->state(); }
    ManualClock &clock() { return *board.clock; }
    QStringList calls() const { return board.calls(); }
    void clearCalls() { board.clearCalls(); }

    // Shows the splash and presses a key on it: the wizard, shown. Null (and
    // the case failed) when it did not open.
    InitForm *openWizard();
    // Walks splash, wizard, a search of the route's medium alone and Finish
    // on the first entry: the main window, shown, talking to that chip. Null
    // (and the case failed) when a step did not happen. The transcript is
    // cleared at the end, so a test sees only its own calls.
    MainMenuForm *finishOn(Route route);

    // Ticks of a timer, or calls of a handler, on the shared clock (see
    // test::tick).
    int tick(QTimer &timer, int n = 1, std::optional<double> dt = std::nullopt)
    {
        return test::tick(clock(), timer, n, dt);
    }
    int tick(const std::function<void()> &handler, int n = 1, double dt = 0.005)
    {
        return test::tick(clock(), handler, n, dt);
    }

private:
    void start(const QString &settingsFile = {});
};

} // namespace ort::test
