#pragma once
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace ort {

// Layout figures are given in twips, 1440 to the inch, converted at the
// screen's logical resolution.
inline int twips(const QWidget *w, int t)
{
    const int dpi = w ? w->logicalDpiX() : 96;
    return (t * dpi + 720) / 1440;
}

inline QRect twipsRect(const QWidget *w, int x, int y, int width, int height)
{
    return QRect(twips(w, x), twips(w, y), twips(w, width), twips(w, height));
}

// Centres a window on its screen, in the screen's own units, once on load.
void centreOnScreen(QWidget *window);

} // namespace ort
