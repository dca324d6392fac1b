#pragma once
#include <QRect>

class QWidget;

// Where the parts of a strip chart sit, for its painting and its mouse.
namespace ort::chart {

struct Layout {
    QRect plot;
    QRect zoomOut;
    QRect zoomIn;
    int legendY;       // baseline of the legend
    int captionY;      // top of the time caption row
    int captionRowH;
    int tick;          // length of an axis tick
};

Layout computeLayout(const QWidget *w);

} // namespace ort::chart
