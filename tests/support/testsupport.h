#pragma once
// Test support for every test program. The program-level fixture is in
// programfixture.h; this header holds what tests of a single part need.
//
//   test::SimBoard board(scenario);            // installed as the component's global
//   auto *next = test::control<QPushButton>(window, "NextCMD");   // fails the case if missing
//   test::tick(*board.clock, timer, 3);        // three ticks, the clock 5 ms on before each
//   QCOMPARE(board.calls(), QStringList({"SmbusHost.ReadRegister(24,254)"}));
#include "component/busaccess.h"
#include "component/clock.h"
#include "component/sim/simbackend.h"
#include "gui/ui.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>
#include <type_traits>

namespace ort::test {

// Answers message boxes and file dialogs, and remembers what was asked.
class FakeUi final : public Ui {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;

    QList<MessageRequest> messages;
    QStringList fileFilters;
    QStringList fileAnswers;   // taken in order; empty = the user cancels
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // Runs while a box is "open", as a real box's event loop would run timer
    // ticks and clicks: set it to make something happen behind a box.
    std::function<void(const MessageRequest &)> whileOpen;
};

// Makes `ui` show every box it is asked for as a real QMessageBox, whose
// event loop is Qt's own, and close it as soon as `enough` holds (checked
// every millisecond) or after `seconds`. For the few tests that must see what
// the program's real timers do while a box is open: these wait on real time.
void answerWithRealBoxes(FakeUi &ui, std::function<bool()> enough, double seconds = 2);

// A simulated board on a manual clock, installed as the component's global
// instance for as long as it lives, with the transcript on. On destruction it
// puts back whatever instance it replaced. Boards do not nest: a second board
// while one is alive fails the test case.
class SimBoard {
public:
    explicit SimBoard(const sim::Scenario &scenario = sim::Scenario::defaultBoard());
    // A hand-made backend on the given clock; `backend` below is then null.
    SimBoard(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock);
    ~SimBoard();
    SimBoard(const SimBoard &) = delete;
    SimBoard &operator=(const SimBoard &) = delete;

    std::shared_ptr<ManualClock> clock;
    sim::SimBackend *backend = nullptr;   // owned by the installed server
    BusAccessServer &server() { return busAccess(); }
    // The calls the program made, without the accessors that reach objects.
    QStringList calls() const;
    void clearCalls();

private:
    void install(std::unique_ptr<Backend> hardware);
    std::unique_ptr<BusAccessServer> m_replaced;
};

// Top-level windows that are still there (by object name or class).
QStringList leftWindows();
// Deletes what is pending deletion, then fails the current case for every
// top-level window left, naming it, and deletes those so that one leak does
// not fail every later case. Call it in cleanup().
void checkNoWindowLeft(std::source_location where = std::source_location::current());

namespace detail {
QString missingControlText(const QObject *parent, const QString &name, const char *type);
void keepStandIn(QObject *standIn);
void fail(const QString &text, const std::source_location &where);
} // namespace detail

// The control `name` (an object name) of type T under `parent`. A missing
// control fails the current test case, naming what is there, and a hidden
// stand-in is returned so that the case runs to its end without crashing;
// its checks fail or pass harmlessly after the first failure.
template <typename T>
T *control(QObject *parent, const char *name, std::source_location where = std::source_location::current())
{
    if (parent)
        if (T *found = parent->findChild<T *>(QString::fromLatin1(name)))
            return found;
    detail::fail(detail::missingControlText(parent, QString::fromLatin1(name), T::staticMetaObject.className()), where);
    if constexpr (std::is_abstract_v<T>) {
        return nullptr;
    } else if constexpr (std::is_base_of_v<QWidget, T>) {
        QWidget *parentWidget = qobject_cast<QWidget *>(parent);
        T *standIn = new T(parentWidget);
        standIn->hide();
        if (!parentWidget)
            detail::keepStandIn(standIn);
        return standIn;
    } else {
        T *standIn = new T(parent);
        if (!parent)
            detail::keepStandIn(standIn);
        return standIn;
    }
}

// Runs `n` ticks of `timer` without waiting for it: before each tick the
// clock moves on by `dt` seconds (by default the timer's interval), then the
// tick is delivered as the timer's own timer event, so its handlers run
// through the application's event dispatch exactly as a real tick does, and
// then the calls it queued run, as they would once it returned to the event
// loop. A timer that is stopped, by its own handler say, gets no further
// ticks.
// Returns the number of ticks that ran.
int tick(ManualClock &clock, QTimer &timer, int n = 1, std::optional<double> dt = std::nullopt);
// The same for a handler called directly.
int tick(ManualClock &clock, const std::function<void()> &handler, int n = 1, double dt = 0.005);

// Shows a window offscreen, renders it to <folder>/<name>.png and prints the path.
void saveWindowPicture(QWidget *window, const QString &folder, const char *name);

} // namespace ort::test
