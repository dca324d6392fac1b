#pragma once
#include "component/clock.h"
#include "gui/ui.h"
#include "link/declare.h"
#include "link/linknewcomport.h"

namespace ort {

// What every window and panel works with: the shared state, the register
// link, the dialog seam and the program's one clock. The program owns them
// and hands them down; nothing reaches them through a global.
struct Services {
    Declare &declare;
    LinkNewComPort &link;
    Ui &ui;
    Clock &clock;
};

} // namespace ort
