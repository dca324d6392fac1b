#include "monitor/alertchange.h"
#include "link/chip.h"
#include "link/text.h"

#include <QStringList>

namespace ort {

namespace {
// In the order of the limit registers.
struct LimitFlag {
    uint8_t flag;
    const char *words;
};
constexpr std::array<LimitFlag, 4> LimitFlags = {{
    {chip::StatusLocalHigh, "Local above its high limit"},
    {chip::StatusLocalLow, "Local below its low limit"},
    {chip::StatusRemoteHigh, "Remote above its high limit"},
    {chip::StatusRemoteLow, "Remote below its low limit"},
}};
} // namespace

AlertNotice alertNotice(const AlertChange &change)
{
    QStringList lines;
    if (change.temperatures)
        lines << QStringLiteral("Remote %1 C, local %2 C%3")
                     .arg((*change.temperatures)[0])
                     .arg((*change.temperatures)[1])
                     .arg(change.alert ? QStringLiteral(".") : QStringLiteral(", within their limits."));
    else if (!change.alert)
        lines << QStringLiteral("Both temperatures within their limits.");
    for (size_t i = 0; i < LimitFlags.size(); ++i)
        if (change.status & LimitFlags[i].flag)
            lines << QLatin1String(LimitFlags[i].words) +
                         (change.limits ? QStringLiteral(" of %1 C.").arg((*change.limits)[i]) : QStringLiteral("."));
    return {ChipName + (change.alert ? QStringLiteral(": Alert Detected") : QStringLiteral(": No Alert Detected")),
            lines.join(QLatin1Char('\n'))};
}

} // namespace ort
