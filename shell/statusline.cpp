#include "shell/statusline.h"
#include "component/busaccess.h"
#include "link/chip.h"
#include "link/declare.h"
#include "link/text.h"

#include <QCoreApplication>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::StatusLine)
};
} // namespace

QString connectionText(const Connection &c)
{
    if (c.address7 == 0)
        return {};
    QString text;
    if (c.printerPort) {
        text = Words::tr("%1 at %2h on printer port %3h")
                   .arg(ChipName, hexText(c.address7), hexText(c.portBase));
    } else {
        text = Words::tr("%1 at %2h on the SMBus").arg(ChipName, hexText(c.address7));
        if (!c.adapter.isEmpty())
            text += Words::tr(", adapter %1").arg(c.adapter);
        if (c.smbusBase != 0)
            text += Words::tr(" at %1h").arg(hexText(c.smbusBase));
    }
    if (c.simulated)
        text += Words::tr(" (simulated board)");
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
