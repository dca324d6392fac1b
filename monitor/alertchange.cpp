#include "monitor/alertchange.h"
#include "link/chip.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QStringList>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::AlertNotice)
};

// In the order of the limit registers.
struct LimitFlag {
    uint8_t flag;
    const char *withLimit;
    const char *words;
};
constexpr std::array<LimitFlag, 4> LimitFlags = {{
    {chip::StatusLocalHigh, QT_TRANSLATE_NOOP("ort::AlertNotice", "Local above its high limit of %1 C."),
     QT_TRANSLATE_NOOP("ort::AlertNotice", "Local above its high limit.")},
    {chip::StatusLocalLow, QT_TRANSLATE_NOOP("ort::AlertNotice", "Local below its low limit of %1 C."),
     QT_TRANSLATE_NOOP("ort::AlertNotice", "Local below its low limit.")},
    {chip::StatusRemoteHigh, QT_TRANSLATE_NOOP("ort::AlertNotice", "Remote above its high limit of %1 C."),
     QT_TRANSLATE_NOOP("ort::AlertNotice", "Remote above its high limit.")},
    {chip::StatusRemoteLow, QT_TRANSLATE_NOOP("ort::AlertNotice", "Remote below its low limit of %1 C."),
     QT_TRANSLATE_NOOP("ort::AlertNotice", "Remote below its low limit.")},
}};
} // namespace

AlertNotice alertNotice(const AlertChange &change)
{
    QStringList lines;
    if (change.temperatures)
        lines << (change.alert ? Words::tr("Remote %1 C, local %2 C.")
                               : Words::tr("Remote %1 C, local %2 C, within their limits."))
                     .arg((*change.temperatures)[0])
                     .arg((*change.temperatures)[1]);
    else if (!change.alert)
        lines << Words::tr("Both temperatures within their limits.");
    for (size_t i = 0; i < LimitFlags.size(); ++i)
        if (change.status & LimitFlags[i].flag)
            lines << (change.limits ? Words::tr(LimitFlags[i].withLimit).arg((*change.limits)[i])
                                    : Words::tr(LimitFlags[i].words));
    return {change.alert ? Words::tr("%1: Alert Detected").arg(ChipName)
                         : Words::tr("%1: No Alert Detected").arg(ChipName),
            lines.join(QLatin1Char('\n'))};
}

} // namespace ort
