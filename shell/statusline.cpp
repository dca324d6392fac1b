#include "shell/statusline.h"
#include "component/busaccess.h"
#include "link/declare.h"
#include "link/text.h"

namespace ort {

QString connectionText(const Connection &c)
{
    if (c.chip.address7 == 0)
        return {};
    QString text = c.chip.text();
    if (!c.chip.onPrinterPort()) {
        if (!c.chip.adapter.isEmpty())
            text += QStringLiteral(", adapter ") + c.chip.adapter;
        if (c.smbusBase != 0)
            text += QStringLiteral(" at ") + hexWithSuffix(c.smbusBase);
    }
    if (c.simulated)
        text += QStringLiteral(" (simulated board)");
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
