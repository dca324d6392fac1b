#include "shell/statusline.h"
#include "component/busaccess.h"
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
    if (c.chip.address7 == 0)
        return {};
    // In the user's language; ChipAddress::text() stays as scripts read it.
    QString text = c.chip.onPrinterPort()
                       ? Words::tr("%1 at %2h on printer port %3h")
                             .arg(ChipName, hexText(c.chip.address7), hexText(c.chip.portBase))
                       : Words::tr("%1 at %2h on the SMBus").arg(ChipName, hexText(c.chip.address7));
    if (!c.chip.onPrinterPort()) {
        if (!c.chip.adapter.isEmpty())
            text += Words::tr(", adapter %1").arg(c.chip.adapter);
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
    c.chip = ChipAddress::connected(state, server);
    c.simulated = server.simulated();
    if (!c.chip.onPrinterPort())
        c.smbusBase = server.smbusBase();
    return c;
}

} // namespace ort
