#include "widgets/stripchartlayout.h"
#include "widgets/scale.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace ort::chart {

Layout computeLayout(const QWidget *w)
{
    const qreal s = dpiScale(w);
    const QFontMetrics fm = w->fontMetrics();
    const int pad = qRound(6 * s);
    const int tick = qRound(4 * s);
    const int arrowH = fm.height() + qRound(2 * s);
    const int legendH = fm.height() + pad;
    const int left = pad + fm.height() + pad + fm.horizontalAdvance(QStringLiteral("-127")) + tick;
    const int right = fm.horizontalAdvance(QStringLiteral("00:00:00")) / 2 + pad;
    const int captionRowH = std::max(fm.height(), arrowH);
    const int bottom = tick + fm.height() + pad / 2 + captionRowH + pad;

    Layout l;
    l.plot = QRect(left, legendH + pad, std::max(1, w->width() - left - right),
                   std::max(1, w->height() - legendH - pad - bottom));
    l.legendY = pad + fm.ascent();
    l.captionY = l.plot.bottom() + 1 + tick + fm.height() + pad / 2;
    l.captionRowH = captionRowH;
    l.tick = tick;
    const int arrowW = qRound(arrowH * 1.6);
    const int arrowTop = l.captionY + (captionRowH - arrowH) / 2;
    l.zoomOut = QRect(l.plot.right() + 1 - arrowW, arrowTop, arrowW, arrowH);
    l.zoomIn = QRect(l.zoomOut.left() - qRound(3 * s) - arrowW, arrowTop, arrowW, arrowH);
    return l;
}

} // namespace ort::chart
