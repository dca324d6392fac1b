// Builds: the log's record layer uses the register link.
#include "link/text.h"

QString probeDownward()
{
    return ort::hexText(0x4C);
}
