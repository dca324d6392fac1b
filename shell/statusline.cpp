#include "shell/statusline.h"
#include "component/busaccess.h"
#include "link/chip.h"
#include "link/declare.h"
#include "link/text.h"

namespace ort {

QString connectionText(const Connection &c)
{
    if (c.address7 == 0)
        return {};
    QString text = ChipName + QStringLiteral(" at ") + hexText(c.address7) + QStringLiteral("h");
    if (c.printerPort) {
        text += QStringLiteral(" on printer port ") + hexText(c.portBase) + QStringLiteral("h");
    } else {
        text += QStringLiteral(" on the SMBus");
        if (!c.adapter.isEmpty())
            text += QStringLiteral(", adapter ") + c.adapter;
        if (c.smbusBase != 0)
            text += QStringLiteral(" at ") + hexText(c.smbusBase) + QStringLiteral("h");
    }
    if (c.simulated)
        text += QStringLiteral(" (simulated board)");
    return text;
}

Connection currentConnection(const Declare &state, BusAccessServer &server)
{
    Connection c;
    c.printerPort = state.BusMedium == chip::MediumPrinterPort;
    // The printer-port route keeps the 8-bit address byte.
    c.address7 = static_cast<uint8_t>(c.printerPort ? state.DeviceAddress >> 1 : state.DeviceAddress);
    c.simulated = server.simulated();
    if (c.printerPort) {
        c.portBase = state.PrinterPortBase;
    } else {
        c.adapter = QString::fromStdString(server.smbusAdapter());
        c.smbusBase = server.smbusBase();
    }
    return c;
}

} // namespace ort
