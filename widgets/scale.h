#pragma once
#include "base/numbers.h"

#include <QWidget>

namespace ort {

// Drawing figures are given for a 96 dpi screen and scaled to the widget's
// logical resolution.
inline qreal dpiScale(const QWidget *w)
{
    return w ? w->logicalDpiY() / 96.0 : 1.0;
}

} // namespace ort
