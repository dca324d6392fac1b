#pragma once
#include "link/chipaddress.h"

#include <QString>
#include <cstdint>

namespace ort {

class BusAccessServer;
struct Declare;

// What the main window is talking to, as its status line tells the user.
struct Connection {
    ChipAddress chip;          // address 0: no chip chosen yet
    uint32_t smbusBase = 0;    // 0: the system shows none
    bool simulated = false;
};

// "ORT310 at 4Ch on printer port 378h (simulated board)",
// "ORT310 at 18h on the SMBus, adapter /dev/i2c-0 at 5000h"; empty before a
// chip is chosen.
QString connectionText(const Connection &connection);

// The connection that Finish left in the shared state and the component.
Connection currentConnection(const Declare &state, BusAccessServer &server);

} // namespace ort
