#include "gui/format.h"

namespace ort {

QString hexText(uint32_t value)
{
    return QString::number(value, 16).toUpper();
}

QString decimalText(long long value)
{
    return QString::number(value);
}

} // namespace ort
