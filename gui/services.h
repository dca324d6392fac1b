#pragma once
#include "component/busaccess.h"
#include "component/clock.h"
#include "gui/settings.h"
#include "gui/ui.h"
#include "link/declare.h"
#include "link/linknewcomport.h"

namespace ort {

// What every window and panel works with: the shared state, the register
// link, the dialog seam, the program's one clock and its one bus access
// component (for the few parts that call the component itself: the wizard,
// the splash, the main window's unload, the clear-alert command), and what
// is remembered between runs. The program owns them and hands them down;
// nothing reaches them through a global.
struct Services {
    Declare &declare;
    LinkNewComPort &link;
    Ui &ui;
    Clock &clock;
    BusAccessServer &bus;
    Settings &settings;
};

} // namespace ort
