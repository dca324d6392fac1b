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

QString runTimeErrorText(const RunTimeError &error);   // "Run-time error '6':\n\nOverflow"

// Shows an error that no handler caught. The operation that raised it is
// already abandoned; the program goes on. Only one such box is open at a
// time: an error raised while one is showing is dropped.
void presentRunTimeError(Ui &ui, QWidget *parent, std::exception_ptr error);
bool errorBoxOpen();
// Shows a failure message of the program's own (the log file's, say) under
// the same rule: never a second failure box while one is open. Returns
// whether it was shown.
bool showFailureBox(Ui &ui, QWidget *parent, const MessageRequest &request);

// Runs an event handler; an error it does not catch is presented after
// `beforeBox` (which puts a control back, say) has run.
template <typename F>
bool runGuarded(Ui &ui, QWidget *parent, F &&handler, const std::function<void()> &beforeBox = {})
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (beforeBox)
            beforeBox();
        presentRunTimeError(ui, parent, error);
        return false;
    }
}

// Runs one tick of a timer. A failing tick stops the timer before anything
// else, so that a 5 ms timer never brings the box back on every tick while
// it is open; `beforeBox` then puts the controls in step with the stopped
// timer.
template <typename F>
bool runGuardedTick(Ui &ui, QWidget *parent, QTimer &timer, F &&tick, const std::function<void()> &beforeBox = {})
{
    return runGuarded(ui, parent, std::forward<F>(tick), [&] {
        timer.stop();
        if (beforeBox)
            beforeBox();
    });
}

} // namespace ort
