#pragma once
#include "gui/ui.h"
#include "link/runtimeerror.h"

#include <QString>
#include <QTimer>
#include <exception>
#include <functional>
#include <utility>

class QWidget;

namespace ort {

// What the program did about a failure that abandoned a handler.
QString operationAbandoned();

// A failure in words, without an error number: the component's reason as it
// gives it, or what went wrong inside the program.
QString failureWords(std::exception_ptr error);
// A failure box: what failed, then what the program did about it.
MessageRequest failureMessage(const QString &what, const QString &done);
// The same in one line, for the status line.
QString failureLine(const QString &what, const QString &done);

// Shows an error that no handler caught, in a box and in the status line.
// The operation that raised it is already abandoned; the program goes on.
void presentFailure(Ui &ui, QWidget *parent, std::exception_ptr error, const QString &done = operationAbandoned());
// Shows a failure box under the rule that a box never opens over another:
// the box runs its own event loop, where a timer or a click may fail again.
// Returns whether it was shown.
bool showFailureBox(Ui &ui, QWidget *parent, const MessageRequest &request);
// The same, once the running event handler has returned, and then `after`.
// Qt does not run a timer again while its own handler runs, so a box shown
// from inside a tick would stop that timer until the box is closed.
void showFailureBoxLater(Ui &ui, QWidget *parent, const MessageRequest &request, std::function<void()> after = {});

// Runs an event handler; an error it does not catch is presented after
// `beforeBox` (which puts a control back, say) has run. A handler that ends
// without a new failure clears the last one from the status line.
template <typename F>
bool runGuarded(Ui &ui, QWidget *parent, F &&handler, const std::function<void()> &beforeBox = {})
{
    const int failures = ui.failures().count();
    try {
        std::forward<F>(handler)();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (beforeBox)
            beforeBox();
        presentFailure(ui, parent, error);
        return false;
    }
    if (ui.failures().count() == failures)
        ui.failures().clear();
    return true;
}

// Runs one tick of a timer. A failing tick stops the timer before anything
// else, so that a 5 ms timer never brings the box back on every tick;
// `beforeBox` then puts the controls in step with the stopped timer, and the
// box, saying `done`, comes after the tick has returned.
template <typename F>
bool runGuardedTick(Ui &ui, QWidget *parent, QTimer &timer, F &&tick, const std::function<void()> &beforeBox,
                    const QString &done)
{
    const int failures = ui.failures().count();
    try {
        std::forward<F>(tick)();
    } catch (...) {
        const QString what = failureWords(std::current_exception());
        timer.stop();
        if (beforeBox)
            beforeBox();
        ui.failures().report(failureLine(what, done));
        showFailureBoxLater(ui, parent, failureMessage(what, done));
        return false;
    }
    if (ui.failures().count() == failures)
        ui.failures().clear();
    return true;
}

} // namespace ort
