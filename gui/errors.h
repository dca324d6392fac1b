#pragma once
#include "link/runtimeerror.h"

#include <QString>
#include <exception>
#include <functional>
#include <utility>

class QWidget;

namespace ort {

class Ui;

QString runTimeErrorText(const RunTimeError &error);   // "Run-time error '6':\n\nOverflow"

// Shows an error that no handler caught. The operation that raised it is
// already abandoned; the program goes on. Only one such box is open at a
// time: an error raised while one is showing is dropped.
void presentRunTimeError(Ui &ui, QWidget *parent, std::exception_ptr error);

// Runs an event handler; an error it does not catch is presented after
// `beforeBox` (which stops a timer, say) has run.
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

bool errorBoxOpen();

} // namespace ort
