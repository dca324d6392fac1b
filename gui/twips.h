#pragma once
#include <QRect>

class QWidget;

namespace ort {

// Layout figures are given in twips, 1440 to the inch, converted at the
// screen's logical resolution (96 dpi without a widget).
int twips(const QWidget *w, int t);
QRect twipsRect(const QWidget *w, int x, int y, int width, int height);

// Centres a window on its screen, in the screen's own units, once on load.
void centreOnScreen(QWidget *window);

} // namespace ort
