// Must not build: the monitoring lies above the reading log.
#include "link/text.h"
#include "monitor/temperature.h"

QString probeUpward()
{
    return ort::hexText(ort::decodeTemperature(0x19));
}
